#pragma once
// The clearance statement as data: every text, blank and drawing mark of the
// main statement and of its six breakdown views. The window and the print
// only draw what is built here; nothing here computes tax.
#include <array>
#include <string>

namespace kestrana {

struct EngineState;
struct Edition;

inline constexpr int kEkaRows = 25;  // rows 1..25; row 0 holds the column headings

// The view shown by the statement grid (`EkaView`): the Tag of the button
// that shows it.
enum class EkaView : int {
    Incomes = 1,        // bt1
    Reductions = 3,     // bt3
    Supplementary = 4,  // bt4
    Withholdings = 5,   // bt5
    Prepayment = 6,     // bt6
    Certified = 7,      // bt7
    Main = 8,           // btDisplayTheEKA
};

inline constexpr std::array<EkaView, 6> kBreakdownViews = {
    EkaView::Incomes,     EkaView::Reductions, EkaView::Supplementary,
    EkaView::Withholdings, EkaView::Prepayment, EkaView::Certified};

// Colour a text (and a frame) is drawn in.
enum class Ink {
    Black,
    GridText,  // the grid's own text colour
    Red,       // RGB 255,0,0
    Green,     // RGB 0,128,0
};

struct CellStyle {
    Ink ink = Ink::Black;
    bool bold = false;
    bool italic = false;
    bool framed = false;  // rectangle of pen width 5 on the cell bounds, in `ink`
};

struct StatementRow {
    std::string caption;                // column 0
    std::array<std::string, 2> amount;  // columns 1 and 2, [T] and [S]; "" = blank cell
    std::array<CellStyle, 3> style;     // columns 0, 1, 2
    int height = 18;                    // pixels; 0 = hidden
    bool centredVertically = false;     // text at y = (top + bottom - 5) / 2
    bool centredHorizontally = false;   // x = left + (right-aligned offset) / 2
    bool lineAbove = false;             // black line along the top edge
    bool lineBelow = false;             // black line along the bottom edge

    const std::string& Text(int column) const { return column == 0 ? caption : amount[column - 1]; }
};

struct StatementView {
    EkaView view = EkaView::Main;
    std::string title;  // caption of the button that shows the view
    std::array<StatementRow, kEkaRows + 1> rows;
};

struct EkaOptions {
    // cbOneDosi ticked: the whole debit is paid in one instalment. Only
    // editions with `StatementRules::oneInstalmentOption` offer it.
    bool oneInstalment = false;
};

// `EkaCells`: the main statement. The texts of row r are
// rows[r].amount[T] / rows[r].amount[S] (T = 0, S = 1 as in the engine).
struct EkaCells : StatementView {
    const std::string& Cell(int row, int person) const { return rows[row].amount[person]; }

    bool breakdownsEnabled = true;  // false once nothing was declared

    // "Απαιτούμενο Ποσό Αποδείξεων (κωδ. 049+050): " line: shown when there is
    // a receipts shortfall. The window keeps it shown once it has appeared.
    bool receiptsShown = false;
    double receiptsRequired = 0;
    std::string receiptsText;
};

// Main statement of the engine's last run.
EkaCells BuildEkaCells(const EngineState& state, const Edition& edition,
                       const EkaOptions& options = {});

// One breakdown view (any EkaView but Main); amounts zero are blank.
StatementView BuildBreakdownView(EkaView kind, const EngineState& state, const Edition& edition);

// Caption of row 25 from its two cells (editions with a caption by sign).
std::string FinalRowCaption(const std::string& taxpayerCell, const std::string& spouseCell);

// Main-statement amounts as numbers, before formatting and blanking (the
// CLI and the print share them). Rows 16-19 and 25 follow the edition:
// joint editions put the couple's amount in [T] and 0 in [S].
struct EkaAmounts {
    std::array<std::array<double, 2>, kEkaRows + 1> value{};
    std::array<std::array<bool, 2>, kEkaRows + 1> shown{};  // false: cell left blank
};
EkaAmounts ComputeEkaAmounts(const EngineState& state, const Edition& edition);

// Texts of the statement window.
inline constexpr char kEkaCaption[] = "Εκκαθαριστικό Σημείωμα Φόρου Εισοδήματος";
inline constexpr char kTaxpayerHeading[] = "ΤΟΥ ΥΠΟΧΡΕΟΥ";
inline constexpr char kSpouseHeading[] = "ΤΗΣ ΣΥΖΥΓΟΥ";
inline constexpr char kFinalPaymentCaption[] = "ΤΕΛΙΚΟ ΠΟΣΟ ΠΛΗΡΩΜΗΣ";
inline constexpr char kReceiptsCaption[] = "Απαιτούμενο Ποσό Αποδείξεων (κωδ. 049+050): ";
inline constexpr char kOneInstalmentCaption[] =
    "Επιλέξτε εδώ εάν πρόκειται να πληρώσετε το ολικό χρεωστικό ποσό σε μία δόση";

// Caption of the button of a view ("ΕΙΣΟΔΗΜΑTA" ... "ΕΚΚΑΘΑΡΙΣΗ").
std::string ViewTitle(EkaView view);

}  // namespace kestrana
