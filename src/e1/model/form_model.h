#pragma once
// The E1 form as data: every control of the window, in component order, with
// its kind, page, position on the A4 page and typing limit, plus the headings
// and captions printed on the page pictures. The window, the record code
// scan, the engine intake, fast entry, the page-picture generator and the
// print layouts all read this one table.
#include <string>
#include <string_view>
#include <vector>

namespace kestrana {

struct Edition;

// Positions are dots of the A4 page at 96 dpi; the window scales them to the
// picture width.
inline constexpr int kFormPageWidth = 794;
inline constexpr int kFormPageHeight = 1123;
inline constexpr int kFormPictureWidth = 964;   // width of the page pictures and of the window's page
inline constexpr int kFormPageCount = 5;        // pages 1..4 of the form, 5 = "Ειδικές Περιπτώσεις"
inline constexpr int kSpecialCasesPage = 5;

struct FormRect {
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool Intersects(const FormRect& o) const {
        return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
    }
};

enum class ControlKind {
    Real,     // TEditReal: amount
    Int,      // TEditInt: whole number
    AFM,      // TEditAFM: tax number
    Text,     // plain text box
    Check,    // tick box
    Button,   // speed button or push button
    Picture,  // picture (the cars legend)
};

// What leaving (or ticking) a box sets going: one of the presumed-expense
// calculators, or the choice of an income category.
enum class Calculator {
    None,
    Residences,      // 115-120
    Cars,            // 851-864
    Boats,           // 711-714
    Pools,           // 765, 766
    IncomeCategory,  // the hidden category box named by the tag
};

struct FormControl {
    std::string name;        // component name, exactly: "edP301", "cbP327", "edp093", "edBigName"
    ControlKind kind = ControlKind::Text;
    int page = 1;            // 1..4 form pages, 5 the special-cases page
    FormRect rect;           // on its page, A4 dots
    int maxLength = 0;       // typing limit; 0 = none
    int tag = 0;             // row number of table rows, category box of the category hook
    std::string caption;     // tick-box or button caption ("NAI", "Μίσθωση"); empty for boxes
    std::string hint;        // shown on hovering
    int code = 0;            // form code of a code box (1..999), 0 otherwise
    bool visible = true;     // hidden boxes are filled by the program
    bool readOnly = false;
    bool enabled = true;

    // Behaviour (set from the form's rules once the boxes are laid out).
    bool marksModified = false;   // a change of its value raises the changed mark
    bool navigationKeys = false;  // Enter, arrows, PgUp/PgDn, Esc, F2, F8 are the window's keys
    Calculator onLeave = Calculator::None;  // run when the user leaves the box
    Calculator onClick = Calculator::None;  // run when the user ticks or unticks it
    bool expandsYear = false;     // a year typed with two digits becomes the full year on leaving
    bool showsCarLegend = false;  // the reduction legend is shown while the box has the focus

    bool IsCodeBox() const { return code != 0; }
    bool IsNumeric() const { return kind == ControlKind::Real || kind == ControlKind::Int; }
};

// Text printed on a page picture (not a control).
enum class LabelStyle {
    Title,         // form title band
    Heading,       // section heading on a tinted band
    Caption,       // row caption left of its boxes
    ColumnHeader,  // column heads of the boxes and tables
    CodeNumber,    // code number printed beside its box
    Note,          // small print
};

struct FormLabel {
    int page = 1;
    FormRect rect;
    std::string text;        // UTF-8
    LabelStyle style = LabelStyle::Caption;
};

class FormModel {
public:
    FormModel(std::vector<FormControl> controls, std::vector<FormLabel> labels);

    // All controls in component order.
    const std::vector<FormControl>& Controls() const { return controls_; }
    const std::vector<FormLabel>& Labels() const { return labels_; }

    // By component name, without regard to letter case; nullptr if absent.
    const FormControl* Find(std::string_view name) const;
    // Position of the control in component order, -1 if absent.
    int IndexOf(std::string_view name) const;
    // Every control of a code, in component order (205: edP205, then cbP205).
    std::vector<const FormControl*> FindCode(int code) const;
    // Every code box (edP/edp/cbP), in component order.
    std::vector<const FormControl*> ListCodeControls() const;
    std::vector<const FormControl*> ControlsOfPage(int page) const;
    std::vector<const FormLabel*> LabelsOfPage(int page) const;

private:
    std::vector<FormControl> controls_;
    std::vector<FormLabel> labels_;
};

// The form of the edition's income year (built once, kept for the run).
const FormModel& E1FormModel(const Edition& edition);

// Caption of the window page 1..5: "Σελίδα 1" ... "Ειδικές Περιπτώσεις".
std::string FormPageCaption(int page);

// A code as the form writes it, three digits: 93 -> "093".
std::string CodeDigits(int code);

// "edP" + three digits ("edP005"); "cbP" for tick boxes.
std::string CodeBoxName(int code, bool tickBox = false);
// Find-code: the box the text typed in the find box names, looked up as
// "edP" + text (amount or whole-number box), then "cbP" + text (tick box),
// the text taken as it is (no blanks trimmed, no zeros added). nullptr when
// the form has no such box or the box is hidden.
const FormControl* FindCodeControl(const FormModel& form, std::string_view typed);

// The code of a code-box name ("edP301" -> 301, "edp093" -> 93, "cbP205" -> 205);
// 0 when the name is not a code box. Letter case is ignored.
int CodeOfBoxName(std::string_view name);

}  // namespace kestrana
