#include "statement/statement_cells.h"

#include <cmath>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "records/amount_text.h"

namespace kestrana {

namespace {

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
    auto set = [&a](int row, int p, double v, bool shown = true) {
        a.value[row][p] = v;
        a.shown[row][p] = shown;
    };
    for (int p : {T, S}) {
        set(1, p, st.NetDeclaredIncome[p]);
        set(2, p, st.NetForeignIncome[p] > 0 ? st.NetForeignIncome[p] : 0, st.NetForeignIncome[p] > 0);
        set(3, p, st.TotalDeclaredIncome[p]);
        set(4, p, st.AddedDifference[p]);
        set(5, p, st.TaxableIncome[p]);
        set(6, p, st.IncomeDeductions[p]);
        set(7, p, st.FinalTaxableIncome[p]);
        set(8, p, st.ScaleTax[p]);
        const double receipts = st.ReceiptsDifference[p];
        set(9, p, receipts < 0 ? std::fabs(receipts) : 0, receipts < 0);
        set(10, p, receipts >= 0 ? receipts : 0, receipts >= 0);
        set(11, p, st.TotalTaxReductions[p]);
        set(12, p, st.TaxDue[p]);
        set(13, p, st.TaxWithheld[p]);
        set(14, p, st.PrincipalTax[p]);
        set(15, p, 0, false);
        set(20, p, 0, false);
        set(21, p, st.SolidarityBase[p]);
        set(22, p, st.SolidarityContribution[p]);
        set(23, p, st.ProfessionalFee[p]);
        set(24, p, st.LuxuryTax[p]);
    }
    if (edition.statement.jointTotals) {
        set(16, T, st.JointPrincipalTax);
        set(17, T, st.JointPrepayment);
        set(18, T, st.OtherCertifiedTotal);
        set(19, T, st.JointPartialAmount);
        set(25, T, st.FinalBalance);
        for (int row : {16, 17, 18, 19, 25}) set(row, S, 0, false);
    } else {
        for (int p : {T, S}) {
            set(16, p, st.PrincipalTax[p]);
            set(17, p, st.Prepayment[p]);
            set(18, p, st.OtherCertifiedAmounts[p]);
            set(19, p, st.PartialAmount[p]);
            set(25, p, st.FinalAmount[p]);
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

    cells.receiptsRequired = st.RequiredReceipts;
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

    if (rules.oneInstalmentOption && options.oneInstalment && !st.NothingDeclared && st.OneInstalmentAmount > 0)
        cells.rows[19].amount[T] = FormatAmount(st.OneInstalmentAmount);

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
    auto put = [&v](int row, const char* caption, const PerPerson& values) {
        v.rows[row].caption = caption;
        for (int p : {T, S}) v.rows[row].amount[p] = FormatAmountBlankZero(values[p]);
    };
    auto kindEntry = [&st](int entry) {
        return PerPerson{st.TaxReductionKinds[T][entry], st.TaxReductionKinds[S][entry]};
    };

    switch (kind) {
    case EkaView::Incomes: {
        put(1, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΑΚΙΝΗΤΑ", st.RealEstateIncome);
        put(2, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΚΙΝΗΤΕΣ ΑΞΙΕΣ", st.SecuritiesIncome);
        put(3, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΜΙΣΘΩΤΕΣ ΥΠΗΡΕΣΙΕΣ", st.SalaryIncome);
        put(4, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΕΠΙΧΕΙΡΗΜΑΤΙΚΗ ΔΡΑΣΤ.", st.BusinessIncome);
        put(5, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΓΕΩΡΓΙΚΕΣ ΕΠΙΧΕΙΡΗΣΕΙΣ", st.FarmingIncome);
        put(6, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΥΠΕΡΑΞΙΑ", st.CapitalGainIncome);
        put(7, "ΕΙΣΟΔΗΜΑ ΑΛΛΟΔΑΠΗΣ ΠΡΟΕΛΕΥΣΗΣ", st.ForeignIncome);
        put(8, "ΕΙΣΟΔΗΜΑ ΑΣΦΑΛ. ΑΠΟΖΗΜΙΩΣΕΩΝ", st.InsuranceIncome);
        put(9, "ΣΥΝΟΛΙΚΟ ΕΙΣΟΔΗΜΑ", st.GrossIncome);
        put(10, "ΖΗΜΙΕΣ ΑΠΟ ΕΠΙΧΕΙΡΗΣΕΙΣ", st.CurrentLossOffset);
        put(11, "ΖΗΜΙΕΣ ΑΠΟ ΠΡΟΗΓΟΥΜΕΝΑ ΕΤΗ", st.PriorLossOffset);
        put(12, "ΖΗΜΙΕΣ ΑΠΟ ΤΗΝ ΑΛΛΟΔΑΠΗ", st.ForeignLoss);
        put(13, "ΣΥΝΟΛΙΚΗ ΖΗΜΙΑ", st.TotalLosses);
        put(15, "ΣΥΝΟΛΙΚΟ ΔΗΛΩΘΕΝ ΕΙΣΟΔΗΜΑ", st.TotalDeclaredIncome);
        put(17, "ΑΥΤΟΤΕΛΗ ΦΟΡΟΛ. ΠΟΣΑ ... ΚΛΠ.", st.SeparatelyTaxed);
        put(18, "ΑΚΑΘΑΡΙΣΤΑ ΕΣΟΔΑ ΑΠΟ ΑΤΟΜ ΕΠΙΧ", st.BusinessGross);
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
        put(13, "ΧΟΡΗΓΙΕΣ - ΧΡΗΜΑΤΟΔΟΤΗΣΕΙΣ", st.DeductionDonations);
        put(14, "ΕΠΕΝΔΥΣΗ ΣΕ ΚΙΝΗΜ/ΚΕΣ ΤΑΙΝΙΕΣ", st.DeductionCode663);
        break;
    case EkaView::Supplementary:
        put(1, "ΦΟΡΟΣ ΠΟΥ ΑΝΑΛΟΓΕΙ", st.TaxAfterReductions);
        put(2, "ΣΥΜΠΛΗΡΩΜΑΤΙΚΟΣ ΦΟΡΟΣ", st.SupplementaryTax);
        break;
    case EkaView::Withholdings:
        put(1, "ΠΑΡΑΚΡΑΤΗΣΗ ΜΙΣΘΩΤΩΝ", st.SalaryTaxWithheld);
        put(2, "ΠΑΡΑΚΡΑΤΗΣΗ ΕΠΑΓΓΕΛΜΑΤΙΩΝ κλπ", st.ProfessionalWithholding);
        put(3, "ΠΡΟΚΑΤΑΒΟΛΗ ΠΡΟΗΓ. ΟΙΚΟΝ. ΕΤΟΥΣ", st.PriorYearPrepayment);
        break;
    case EkaView::Prepayment:
        put(1, "ΠΡΟΚΑΤΑΒΟΛΗ ΕΠΟΜΕΝΟΥ ΕΤΟΥΣ", st.PrepaymentBeforeHalving);
        break;
    case EkaView::Certified:
        put(1, "ΧΑΡΤΟΣΗΜΟ", st.StampDuty);
        put(2, "ΟΓΑ ΧΑΡΤΟΣΗΜΟΥ", st.StampDutyOGA);
        put(3, "ΕΚΠΡΟΘΕΣΜΟ ΧΑΡΤΟΣΗΜΟΥ", st.LateStampDuty);
        put(4, "ΧΑΡΤΟΣΗΜΟ ΕΛΓΑ", st.StampDutyELGA);
        put(5, "ΕΚΠΡΟΘΕΣΜΟ ΧΑΡΤΟΣΗΜΟΥ ΕΛΓΑ", st.LateStampDutyELGA);
        put(6, "ΣΥΝΟΛΟ ΣΥΜΒΕΒΑΙΟΥΜΕΝΩΝ ΠΟΣΩΝ", st.CertifiedTotal);
        put(7, "ΕΚΠΡΟΘΕΣΜΟ ΦΟΡΟΥ", st.LateFilingTax);
        break;
    case EkaView::Main:
        break;
    }
    ApplyCommonRowMarks(v, edition);
    return v;
}

}  // namespace kestrana
