#include "statement/statement_cells.h"

#include <cmath>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "records/amount_text.h"

namespace kestrana {

namespace {

using Sum = long double;

const char* const kMainCaptions[kEkaRows + 1] = {
    "",
    "ΔΗΛΩΘΕΝ ΕΙΣΟΔΗΜΑ",
    "ΕΙΣΟΔΗΜΑ ΣΤΗΝ ΑΛΛΟΔΑΠΗ",
    "ΣΥΝΟΛΙΚΟ ΔΗΛΩΘΕΝ ΕΙΣΟΔΗΜΑ",
    "ΠΡΟΣΤΙΘΕΜΕΝΗ ΔΙΑΦΟΡΑ ΤΕΚΜΗΡΙΩΝ",
    "ΦΟΡΟΛΟΓΟΥΜΕΝΟ ΕΙΣΟΔΗΜΑ",
    "ΕΚΠΤΩΣΕΙΣ ΕΙΣΟΔΗΜΑΤΟΣ",
    "ΤΕΛΙΚΟ ΦΟΡΟΛΟΓΟΥΜΕΝΟ ΕΙΣΟΔΗΜΑ",
    "ΦΟΡΟΣ ΚΛΙΜΑΚΑΣ",
    "ΕΠΙΒΑΡΥΝΣΗ ΛΟΓΩ ΑΠΟΔΕΙΞΕΩΝ (+)",
    "",
    "ΜΕΙΩΣΕΙΣ ΦΟΡΟΥ (-)",
    "ΦΟΡΟΣ ΠΟΥ ΑΝΑΛΟΓΕΙ ΚΑΙ ΣΥΜΠΛ/ΚΟΣ",
    "ΦΟΡΟΣ ΠΟΥ ΠΑΡΑΚΡΑΤΗΘΗΚΕ",
    "ΚΥΡΙΟΣ ΦΟΡΟΣ",
    "",  // 15: edition's heading
    "ΚΥΡΙΟΣ ΦΟΡΟΣ",
    "ΠΡΟΚΑΤΑΒΟΛΗ ΦΟΡΟΥ",
    "ΛΟΙΠΑ ΣΥΜΒΕΒΑΙΟΥΜΕΝΑ ΠΟΣΑ",
    "",  // 19: edition's caption
    "",
    "ΕΙΣΟΔΗΜΑ ΕΠΙΒΟΛΗΣ ΕΙΣΦΟΡΑΣ",
    "ΠΟΣΟ ΕΙΣΦΟΡΑΣ",
    "ΤΕΛΟΣ ΕΠΙΤΗΔΕΥΜΑΤΟΣ",
    "ΦΟΡΟΣ ΠΟΛΥΤΕΛΟΥΣ ΔΙΑΒΙΩΣΗΣ",
    kFinalPaymentCaption,
};

bool StartsWithMinus(const std::string& s) { return !s.empty() && s[0] == '-'; }
bool HasMinus(const std::string& s) { return s.find('-') != std::string::npos; }

// Row marks that hold in every view: row 20 hidden, rows 7, 19 and 25
// vertically centred. Row 15 is centred both ways where the edition centres
// it; edition 2018 keeps it a plain row, as it never grows taller there.
void ApplyCommonRowMarks(StatementView& v, const Edition& edition) {
    for (int r : {7, 19, 25}) v.rows[r].centredVertically = true;
    v.rows[15].centredVertically = edition.statement.row15Centred;
    v.rows[15].centredHorizontally = edition.statement.row15Centred;
    v.rows[20].height = 0;
}

void SetHeadings(StatementView& v) {
    v.rows[0].amount = {kTaxpayerHeading, kSpouseHeading};
}

}  // namespace

std::string ViewTitle(EkaView view) {
    switch (view) {
    case EkaView::Incomes: return "ΕΙΣΟΔΗΜΑTA";  // Latin T and A, as on the button
    case EkaView::Reductions: return "ΜΕΙΩΣΕΙΣ";
    case EkaView::Supplementary: return "ΣΥΜΠΛΗΡΩΜΑΤΙΚΟΣ ΦΟΡΟΣ";
    case EkaView::Withholdings: return "ΠΑΡΑΚΡΑΤΗΣΗ";
    case EkaView::Prepayment: return "ΠΡΟΚΑΤΑΒΟΛΗ";
    case EkaView::Certified: return "ΣΥΜΒΕΒΑΙΟΥΜΕΝΑ ΠΟΣΑ";
    case EkaView::Main: return "ΕΚΚΑΘΑΡΙΣΗ";
    }
    return {};
}

double RequiredReceipts(const EngineState& st) {
    const Sum shortfall = -(static_cast<Sum>(st.ReceiptsDifference[T]) + st.ReceiptsDifference[S]);
    if (shortfall <= 0) return 0;
    return static_cast<double>(shortfall / 0.22L + st.ReceiptsDeclared);
}

std::string FinalRowCaption(const std::string& taxpayerCell, const std::string& spouseCell) {
    std::string caption;
    if (!taxpayerCell.empty())
        caption += HasMinus(taxpayerCell) ? " ΤΕΛΙΚΗ ΕΠΙΣΤΡΟΦΗ (Υ) " : " ΤΕΛΙΚΗ ΠΛΗΡΩΜΗ (Υ) ";
    if (!spouseCell.empty())
        caption += HasMinus(spouseCell) ? "/ ΕΠΙΣΤΡΟΦΗ (Σ) " : "/ ΠΛΗΡΩΜΗ (Σ) ";
    return caption;
}

EkaAmounts ComputeEkaAmounts(const EngineState& st, const Edition& edition) {
    EkaAmounts a;
    auto set = [&a](int row, int p, Sum v, bool shown = true) {
        a.value[row][p] = static_cast<double>(v);
        a.shown[row][p] = shown;
    };
    std::array<Sum, 2> principal{}, partial{};
    for (int p : {T, S}) {
        const Sum declared = static_cast<Sum>(st.DeclaredIncome[p]) - st.BusinessLossOffset[p] -
                             st.FarmingLossOffset[p];
        set(1, p, declared > 0 ? declared : 0);
        const Sum foreign = static_cast<Sum>(st.ForeignIncome[p]) - st.ForeignLoss[p];
        set(2, p, foreign > 0 ? foreign : 0, foreign > 0);
        set(3, p, st.TotalDeclaredIncome[p]);
        set(4, p, st.AddedDifference[p]);
        set(5, p, static_cast<Sum>(st.TotalDeclaredIncome[p]) + st.AddedDifference[p]);
        set(6, p, st.IncomeDeductions[p]);
        set(7, p, st.FinalTaxableIncome[p]);
        set(8, p, st.ScaleTax[p]);
        const double receipts = st.ReceiptsDifference[p];
        set(9, p, receipts < 0 ? std::fabs(receipts) : 0, receipts < 0);
        set(10, p, receipts >= 0 ? receipts : 0, receipts >= 0);
        set(11, p, static_cast<Sum>(st.OtherTaxReductions[p]) + st.ReductionCode77[p] +
                       st.SalaryTaxReduction[p] + st.FarmingTaxReduction[p]);
        set(12, p, st.TaxDue[p]);
        set(13, p, st.TaxWithheld[p]);
        principal[p] = static_cast<Sum>(st.MainTaxGross[p]) - st.MainTaxCredit[p];
        set(14, p, principal[p]);
        set(15, p, 0, false);
        partial[p] = principal[p] + st.Prepayment[p] + st.OtherCertifiedAmounts[p];
        set(20, p, 0, false);
        set(21, p, st.SolidarityBase[p]);
        set(22, p, st.SolidarityContribution[p]);
        set(23, p, st.ProfessionalFee[p]);
        set(24, p, st.LuxuryTax[p]);
    }
    if (edition.statement.jointTotals) {
        const Sum jointPrincipal = principal[T] + principal[S];
        const Sum jointPrepayment = static_cast<Sum>(st.Prepayment[T]) + st.Prepayment[S];
        set(16, T, jointPrincipal);
        set(17, T, jointPrepayment);
        set(18, T, st.OtherCertifiedTotal);
        set(19, T, jointPrincipal + jointPrepayment + st.OtherCertifiedTotal);
        set(25, T, st.FinalBalance);
        for (int row : {16, 17, 18, 19, 25}) set(row, S, 0, false);
    } else {
        for (int p : {T, S}) {
            set(16, p, principal[p]);
            set(17, p, st.Prepayment[p]);
            set(18, p, st.OtherCertifiedAmounts[p]);
            set(19, p, partial[p]);
            set(25, p, partial[p] + st.SolidarityContribution[p] + st.ProfessionalFee[p] +
                           st.LuxuryTax[p] - st.PrepaidAmounts[p]);
        }
    }
    return a;
}

EkaCells BuildEkaCells(const EngineState& st, const Edition& edition, const EkaOptions& options) {
    const StatementRules& rules = edition.statement;
    EkaCells cells;
    cells.view = EkaView::Main;
    cells.title = ViewTitle(EkaView::Main);
    SetHeadings(cells);
    for (int r = 1; r <= kEkaRows; ++r) cells.rows[r].caption = kMainCaptions[r];
    cells.rows[15].caption = rules.row15Caption;
    cells.rows[19].caption = rules.row19Caption;

    const EkaAmounts amounts = ComputeEkaAmounts(st, edition);
    for (int r = 1; r <= kEkaRows; ++r)
        for (int p : {T, S})
            if (amounts.shown[r][p])
                cells.rows[r].amount[p] = FormatAmountBlankZero(amounts.value[r][p]);

    cells.receiptsRequired = RequiredReceipts(st);
    if (cells.receiptsRequired > 0) {
        cells.receiptsShown = true;
        cells.receiptsText = FormatAmount(cells.receiptsRequired);
    }

    if (st.NothingDeclared) {
        for (int r = 1; r <= kEkaRows; ++r) cells.rows[r].amount = {"", ""};
        cells.breakdownsEnabled = false;
    }

    if (rules.finalCaptionBySign)
        cells.rows[25].caption = FinalRowCaption(cells.Cell(25, T), cells.Cell(25, S));

    if (rules.oneInstalmentOption && options.oneInstalment) {
        // Read back from the text, as shown: the discount applies to the cents.
        std::string& partialCell = cells.rows[19].amount[T];
        const std::optional<double> shown = ParseAmount(partialCell);
        if (shown && *shown > 0) partialCell = FormatAmount(static_cast<double>(*shown * 0.985L));
    }

    // Drawing marks of the main view.
    ApplyCommonRowMarks(cells, edition);
    cells.rows[7].height = 36;
    cells.rows[19].height = 36;
    if (rules.tallRows15And25) {
        cells.rows[15].height = 36;
        cells.rows[25].height = 36;
    }
    cells.rows[8].lineAbove = true;
    cells.rows[20].lineAbove = true;
    cells.rows[6].lineBelow = true;
    cells.rows[18].lineBelow = true;
    cells.rows[14].lineBelow = rules.lineUnderRow14;

    const Ink marked = rules.negativesRed ? Ink::Red : Ink::GridText;
    for (int r = 0; r <= kEkaRows; ++r) {
        StatementRow& row = cells.rows[r];
        const bool italic = r == 9 || r == 10;
        row.style[0].bold = italic;
        row.style[0].italic = italic;
        for (int c = 1; c <= 2; ++c) {
            CellStyle& s = row.style[c];
            const std::string& text = row.amount[c - 1];
            s.bold = true;
            s.italic = italic;
            const bool alwaysMarked = r == 10 || r == 11 || r == 13;
            const bool markedWhenNegative = (r == 14 || r == 16 || r == 19) && StartsWithMinus(text);
            s.ink = alwaysMarked || markedWhenNegative ? marked : Ink::Black;
            if (rules.framedFinals && (r == 19 || r == 25)) {
                s.ink = HasMinus(text) ? Ink::Green : Ink::Red;
                s.framed = true;
            }
        }
    }
    return cells;
}

StatementView BuildBreakdownView(EkaView kind, const EngineState& st, const Edition& edition) {
    StatementView v;
    v.view = kind;
    v.title = ViewTitle(kind);
    SetHeadings(v);
    auto put = [&v](int row, const char* caption, const std::array<Sum, 2>& values) {
        v.rows[row].caption = caption;
        for (int p : {T, S}) v.rows[row].amount[p] = FormatAmountBlankZero(static_cast<double>(values[p]));
    };
    auto pair = [](const PerPerson& x) { return std::array<Sum, 2>{x[T], x[S]}; };
    auto kindEntry = [&st](int entry) {
        return std::array<Sum, 2>{st.TaxReductionKinds[T][entry], st.TaxReductionKinds[S][entry]};
    };

    switch (kind) {
    case EkaView::Incomes: {
        put(1, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΑΚΙΝΗΤΑ", pair(st.RealEstateIncome));
        put(2, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΚΙΝΗΤΕΣ ΑΞΙΕΣ", pair(st.SecuritiesIncome));
        put(3, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΜΙΣΘΩΤΕΣ ΥΠΗΡΕΣΙΕΣ", pair(st.SalaryIncome));
        put(4, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΕΠΙΧΕΙΡΗΜΑΤΙΚΗ ΔΡΑΣΤ.", pair(st.BusinessIncome));
        put(5, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΓΕΩΡΓΙΚΕΣ ΕΠΙΧΕΙΡΗΣΕΙΣ", pair(st.FarmingIncome));
        put(6, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΥΠΕΡΑΞΙΑ", pair(st.CapitalGainIncome));
        put(7, "ΕΙΣΟΔΗΜΑ ΑΛΛΟΔΑΠΗΣ ΠΡΟΕΛΕΥΣΗΣ", pair(st.ForeignIncome));
        put(8, "ΕΙΣΟΔΗΜΑ ΑΣΦΑΛ. ΑΠΟΖΗΜΙΩΣΕΩΝ", pair(st.InsuranceIncome));
        std::array<Sum, 2> total{}, losses{};
        for (int p : {T, S}) {
            total[p] = static_cast<Sum>(st.DeclaredIncome[p]) + st.ForeignIncome[p];
            losses[p] = static_cast<Sum>(st.CurrentLossOffset[p]) + st.PriorLossOffset[p] + st.ForeignLoss[p];
        }
        put(9, "ΣΥΝΟΛΙΚΟ ΕΙΣΟΔΗΜΑ", total);
        put(10, "ΖΗΜΙΕΣ ΑΠΟ ΕΠΙΧΕΙΡΗΣΕΙΣ", pair(st.CurrentLossOffset));
        put(11, "ΖΗΜΙΕΣ ΑΠΟ ΠΡΟΗΓΟΥΜΕΝΑ ΕΤΗ", pair(st.PriorLossOffset));
        put(12, "ΖΗΜΙΕΣ ΑΠΟ ΤΗΝ ΑΛΛΟΔΑΠΗ", pair(st.ForeignLoss));
        put(13, "ΣΥΝΟΛΙΚΗ ΖΗΜΙΑ", losses);
        put(15, "ΣΥΝΟΛΙΚΟ ΔΗΛΩΘΕΝ ΕΙΣΟΔΗΜΑ", pair(st.TotalDeclaredIncome));
        put(17, "ΑΥΤΟΤΕΛΗ ΦΟΡΟΛ. ΠΟΣΑ ... ΚΛΠ.", pair(st.SeparatelyTaxed));
        put(18, "ΑΚΑΘΑΡΙΣΤΑ ΕΣΟΔΑ ΑΠΟ ΑΤΟΜ ΕΠΙΧ", pair(st.BusinessGross));
        break;
    }
    case EkaView::Reductions:
        put(1, "ΜΕΙΩΣΗ ΠΑΡ. 2  ΑΡΘΡΟΥ 9 2238/94", kindEntry(0));
        put(2, "ΙΑΤΡΙΚΑ ΕΞΟΔΑ", kindEntry(14));
        put(3, "ΔΩΡΕΕΣ ΙΑΤΡΙΚΩΝ ΜΗΧΑΝΗΜΑΤΩΝ", kindEntry(9));
        put(4, "ΔΩΡΕΕΣ ΧΡ. ΠΟΣΩΝ ΣΤΟ ΔΗΜΟΣΙΟ", kindEntry(10));
        put(5, "ΔΩΡΕΕΣ ΑΠΟΣΒΕΣΗΣ ΔΗΜ.ΧΡΕΟΥΣ ", kindEntry(11));
        put(6, "ΔΙΑΤΡΟΦΗ", kindEntry(6));
        put(7, "ΜΙΣΘΩΜΑΤΑ ΣΤΟ ΙΣΤΟΡΙΚΟ ΚΕΝΤΡΟ", kindEntry(15));
        put(8, "ΜΕΙΩΣΗ ΛΟΓΩ ΑΝΑΠΗΡΙΑΣ", kindEntry(13));
        v.rows[11].caption = "ΕΚΠΤΩΣΕΙΣ ΑΠΟ ΤΟ ΕΙΣΟΔΗΜΑ";
        put(13, "ΧΟΡΗΓΙΕΣ - ΧΡΗΜΑΤΟΔΟΤΗΣΕΙΣ", pair(st.DeductionDonations));
        put(14, "ΕΠΕΝΔΥΣΗ ΣΕ ΚΙΝΗΜ/ΚΕΣ ΤΑΙΝΙΕΣ", pair(st.DeductionCode663));
        break;
    case EkaView::Supplementary:
        put(1, "ΦΟΡΟΣ ΠΟΥ ΑΝΑΛΟΓΕΙ", pair(st.TaxAfterReductions));
        put(2, "ΣΥΜΠΛΗΡΩΜΑΤΙΚΟΣ ΦΟΡΟΣ", pair(st.SupplementaryTax));
        break;
    case EkaView::Withholdings:
        put(1, "ΠΑΡΑΚΡΑΤΗΣΗ ΜΙΣΘΩΤΩΝ", pair(st.SalaryTaxWithheld));
        put(2, "ΠΑΡΑΚΡΑΤΗΣΗ ΕΠΑΓΓΕΛΜΑΤΙΩΝ κλπ", pair(st.ProfessionalWithholding));
        put(3, "ΠΡΟΚΑΤΑΒΟΛΗ ΠΡΟΗΓ. ΟΙΚΟΝ. ΕΤΟΥΣ", pair(st.PriorYearPrepayment));
        break;
    case EkaView::Prepayment: {
        // The prepayment before the halving of tick box 327/328.
        std::array<Sum, 2> full{};
        for (int p : {T, S})
            full[p] = st.PrepaymentHalved[p] ? 2 * static_cast<Sum>(st.Prepayment[p]) : st.Prepayment[p];
        put(1, "ΠΡΟΚΑΤΑΒΟΛΗ ΕΠΟΜΕΝΟΥ ΕΤΟΥΣ", full);
        break;
    }
    case EkaView::Certified: {
        std::array<Sum, 2> total{};
        for (int p : {T, S})
            total[p] = static_cast<Sum>(st.StampDutyTotal[p]) + st.LateStampDuty[p] + st.LateStampDutyELGA[p];
        put(1, "ΧΑΡΤΟΣΗΜΟ", pair(st.StampDuty));
        put(2, "ΟΓΑ ΧΑΡΤΟΣΗΜΟΥ", pair(st.StampDutyOGA));
        put(3, "ΕΚΠΡΟΘΕΣΜΟ ΧΑΡΤΟΣΗΜΟΥ", pair(st.LateStampDuty));
        put(4, "ΧΑΡΤΟΣΗΜΟ ΕΛΓΑ", pair(st.StampDutyELGA));
        put(5, "ΕΚΠΡΟΘΕΣΜΟ ΧΑΡΤΟΣΗΜΟΥ ΕΛΓΑ", pair(st.LateStampDutyELGA));
        put(6, "ΣΥΝΟΛΟ ΣΥΜΒΕΒΑΙΟΥΜΕΝΩΝ ΠΟΣΩΝ", total);
        put(7, "ΕΚΠΡΟΘΕΣΜΟ ΦΟΡΟΥ", pair(st.LateFilingTax));
        break;
    }
    case EkaView::Main:
        break;
    }
    ApplyCommonRowMarks(v, edition);
    return v;
}

}  // namespace kestrana
