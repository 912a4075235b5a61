#pragma once
// The E2 form as data: every control of the E2 window in tab order, with its
// kind, page, position on the A4 landscape page, typing limit, colour, Tag
// and state at creation, plus the headings, column heads and grid lines the
// page pictures are drawn from. The window, the document, the page-picture
// generator and the E2 print all read this one table.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrana {

struct Edition;

// Positions are dots of the A4 landscape page at 96 dpi; the window shows the
// page kE2PictureWidth wide and scales them.
inline constexpr int kE2PageWidth = 1123;
inline constexpr int kE2PageHeight = 794;
inline constexpr int kE2PictureWidth = 1166;
inline constexpr int kE2PageCount = 2;

inline constexpr int kE2Table1Rows = 16;
inline constexpr int kE2Table2Rows = 9;
inline constexpr int kE2Table3Rows = 4;
inline constexpr int kE2SharedRows = 29;      // rows 1..16 table 1, 17..25 table 2, 26..29 table 3
inline constexpr int kE2FirstTable2Row = 17;  // shared row of table-2 row 1
inline constexpr int kE2FirstTable3Row = 26;  // shared row of table-3 row 1
inline constexpr int kE2LeaseRows = 25;       // rows with a lease type (tables 1 and 2)

struct E2Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool Intersects(const E2Rect& o) const {
        return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
    }
    bool Contains(const E2Rect& o) const {
        return o.x >= x && o.y >= y && o.Right() <= Right() && o.Bottom() <= Bottom();
    }
};

enum class E2ControlKind {
    Text,       // plain text box
    Real,       // TEditReal: amount
    Int,        // TEditInt: whole number (the hidden use and position codes)
    AFM,        // TEditAFM: the declarant's tax number
    Picker,     // button that opens a picker (sbGetThesi, sbGetXrisi, sbGetEidosMist)
    Toggle,     // the calculation mode button sbCalcOff
    RowNumber,  // the number at the left of a table row
};

// The list a picker button opens; also set on the boxes the picker fills.
enum class E2Picker { None, Position, Use, LeaseType };

// Background of an entry box. White boxes are the amounts the automatic
// calculation writes (the four columns of table 1 and the totals).
enum class E2Colour { Form, White };

struct E2Control {
    std::string name;      // component name, exactly: "edTopos3", "sbGetThesi17", "edTotal2"
    std::string column;    // the name without its row number: "edTopos"
    E2ControlKind kind = E2ControlKind::Text;
    int page = 1;          // 1 or 2
    E2Rect rect;           // on its page, A4 landscape dots
    int maxLength = 0;     // typing limit; 0 = none
    int stored = 0;        // characters the record keeps of a text box (0: not a stored text)
    E2Colour colour = E2Colour::Form;
    int tag = 0;           // the row number of the name's suffix (0 outside the tables)
    int table = 0;         // 1..3 for rows of the tables, 0 for header, totals and hidden codes
    int row = 0;           // row within its table, 1-based (0 outside the tables)
    int sharedRow = 0;     // 1..29: the row of the shared use/position/supply/lease arrays
    E2Picker picker = E2Picker::None;
    std::string caption;   // row number text, toggle caption
    std::string hint;      // shown on hovering
    bool visible = true;   // the hidden code boxes are filled by the pickers
    bool readOnly = false;
    bool enabled = true;   // at creation
    bool tabStop = true;

    bool IsNumeric() const { return kind == E2ControlKind::Real || kind == E2ControlKind::Int; }
    // A box that holds a value of the declaration (text, amount, number, tax number).
    bool IsEntry() const {
        return kind == E2ControlKind::Text || kind == E2ControlKind::Real || kind == E2ControlKind::Int ||
               kind == E2ControlKind::AFM;
    }
};

// Text printed on a page picture (not a control).
enum class E2LabelStyle {
    Title,         // form title band
    Heading,       // table heading on a tinted band
    ColumnHeader,  // column head cell of a table
    Caption,       // caption left of a box
    Note,          // small print
};

struct E2Label {
    int page = 1;
    E2Rect rect;
    std::string text;  // UTF-8
    E2LabelStyle style = E2LabelStyle::Caption;
};

// A grid line of a table on a page picture.
struct E2Line {
    int page = 1;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool heavy = false;  // table frame rather than a cell border
};

class E2Form {
public:
    E2Form(std::vector<E2Control> controls, std::vector<E2Label> labels, std::vector<E2Line> lines);

    // All controls in tab order (the window's creation order).
    const std::vector<E2Control>& Controls() const { return controls_; }
    const std::vector<E2Label>& Labels() const { return labels_; }
    const std::vector<E2Line>& Lines() const { return lines_; }
    int Count() const { return static_cast<int>(controls_.size()); }
    const E2Control& At(int index) const { return controls_[static_cast<size_t>(index)]; }

    // By component name, without regard to letter case; -1 / nullptr if absent.
    int IndexOf(std::string_view name) const;
    const E2Control* Find(std::string_view name) const;
    // The box of a column in a row: IndexOf(column + row number).
    int IndexOf(std::string_view column, int row) const;

    std::vector<const E2Control*> ControlsOfPage(int page) const;
    std::vector<const E2Label*> LabelsOfPage(int page) const;
    std::vector<const E2Line*> LinesOfPage(int page) const;

private:
    std::vector<E2Control> controls_;
    std::vector<E2Label> labels_;
    std::vector<E2Line> lines_;
    std::unordered_map<std::string, int> index_;  // lower-case name -> position
};

// The form of the edition's income year (built once, kept for the run).
const E2Form& E2FormModel(const Edition& edition);

// Caption of the window page 1..2: "Σελίδα1", "Σελίδα 2" (the tabs' own texts).
std::string E2PageCaption(int page);

// The boxes of shared row k (1..29) that live in different tables under
// different names: the use text (edInUse n, edPin2InUse m, edPin3InUse r),
// the position text (edPlace n, edPin2Place m, edPin3Place r) and the
// location (edTopos n, edPin2Topos m, edPin3Topos r). "" outside 1..29.
std::string E2UseBoxName(int sharedRow);
std::string E2PlaceBoxName(int sharedRow);
std::string E2LocationBoxName(int sharedRow);

}  // namespace kestrana
