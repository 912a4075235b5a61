#pragma once
// Internal: lays the E1 form out page by page. Each page file describes its
// sections as rows of boxes; the builder turns them into positioned controls,
// headings, captions and code numbers.
#include <string>
#include <vector>

#include "e1/model/form_model.h"

namespace kestrana {

struct Edition;

namespace formlayout {

inline constexpr int kMargin = 16;
inline constexpr int kContentWidth = kFormPageWidth - 2 * kMargin;  // 762
inline constexpr int kRow = 20;        // row pitch
inline constexpr int kBoxH = 18;       // entry box height
inline constexpr int kCodeW = 24;      // printed code number beside a box
inline constexpr int kAmountW = 96;    // amount box
inline constexpr int kTickW = 18;      // plain tick box
inline constexpr int kHeadingH = 18;
inline constexpr int kHiddenStripY = kFormPageHeight - 24;  // hidden boxes live below the content

// One box of a row.
struct Cell {
    std::string name;
    ControlKind kind = ControlKind::Real;
    int code = 0;          // form code (0: not a code box)
    int printedCode = 0;   // code number printed beside the box (defaults to code)
    int maxLength = 0;
    int width = 0;         // 0: kind's default
    int tag = 0;
    std::string caption;
    std::string hint;
    bool visible = true;
    bool readOnly = false;
    bool enabled = true;
};

Cell A(int code, int tag = 0);                      // amount code box
Cell I(int code);                                   // whole-number code box
Cell T(int code, std::string caption = "");         // tick code box
Cell Named(std::string name, ControlKind kind, int maxLength = 0, int width = 0);
Cell None();                                        // empty slot (no box)

// Caption with up to two boxes (taxpayer, spouse) on the right.
struct Row {
    std::string caption;
    Cell taxpayer;
    Cell spouse;
};
Row Pair(std::string caption, Cell t, Cell s);
Row AmountPair(std::string caption, int oddCode);   // odd code and the next even code
Row TickPair(std::string caption, int oddCode, std::string tickCaption = "");

class FormBuilder {
public:
    explicit FormBuilder(const Edition& edition) : edition_(edition) {}
    const Edition& edition() const { return edition_; }

    void BeginPage(int page);
    int page() const { return page_; }
    int y = 0;  // next free line on the page

    FormControl& Add(const Cell& cell, FormRect rect);
    void Label(FormRect rect, std::string text, LabelStyle style);
    // A box with its printed code number to its left; returns the box rect.
    FormRect Boxed(const Cell& cell, int x, int y, int width);

    void Title(const std::string& line1, const std::string& line2);
    void Heading(const std::string& text, int x = kMargin, int width = kContentWidth);
    void Gap(int dots) { y += dots; }

    // Rows with a caption and taxpayer/spouse boxes, in one or two columns
    // (two columns fill the left one first). slotWidth is code number plus box.
    // pitch > kRow leaves room for captions of two lines.
    void Rows(const std::vector<Row>& rows, int columns, int slotWidth, int pitch = kRow,
              const std::string& headT = "ΥΠΟΧΡΕΟΣ", const std::string& headS = "ΣΥΖΥΓΟΣ");
    // Inline fields on one line: caption then box, left to right.
    struct Field { std::string caption; int captionWidth; Cell cell; int width; };
    void FieldLine(const std::vector<Field>& fields, int x = kMargin);

    // A grid of columns with header cells; returns the x of each column.
    struct Column { std::string head; int width; };
    std::vector<int> GridHeader(const std::vector<Column>& columns, int height, int x = kMargin);

    // Hidden box, parked in the strip below the content.
    void Hidden(Cell cell);

    std::vector<FormControl> TakeControls() { return std::move(controls_); }
    std::vector<FormLabel> TakeLabels() { return std::move(labels_); }

private:
    const Edition& edition_;
    int page_ = 1;
    int hiddenX_ = kMargin;
    std::vector<FormControl> controls_;
    std::vector<FormLabel> labels_;
};

int DefaultWidth(ControlKind kind);

void BuildPage1(FormBuilder& b);
void BuildPage2(FormBuilder& b);
void BuildPage3(FormBuilder& b);
void BuildPage4(FormBuilder& b);
void BuildSpecialCases(FormBuilder& b);

// Sets the behaviour columns of the laid-out controls.
void AssignBehaviour(std::vector<FormControl>& controls);

}  // namespace formlayout
}  // namespace kestrana
