#include "statement/statement_cells.h"

#include <gtest/gtest.h>

#include "editions/edition.h"
#include "engine/engine_state.h"
#include "records/amount_text.h"

namespace kestrana {
namespace {

// Results of the single-person run: salary 20000 (code 301), receipts 2500
// (049), salary withholding 3000 (315).
EngineState SalaryRunResults() {
    EngineState s;
    s.CodeValue[301] = 20000;
    s.CodeValue[49] = 2500;
    s.CodeValue[315] = 3000;
    s.SalaryIncome[T] = 20000;
    s.DeclaredIncome[T] = 20000;
    s.TotalDeclaredIncome[T] = 20000;
    s.PresumedExpenses[T] = 3000;
    s.FinalTaxableIncome[T] = 20000;
    s.ScaleTax[T] = 4400;
    s.SalaryTaxReduction[T] = 1900;
    s.TaxReductionKinds[T][0] = 1900;
    s.SalaryScaleTax[T] = 2500;
    s.TaxAfterReductions[T] = 2500;
    s.TaxDue[T] = 2500;
    s.ReceiptsDeclared = 2500;
    s.SalaryTaxWithheld[T] = 3000;
    s.TaxWithheld[T] = 3000;
    s.MainTaxCredit[T] = 500;
    s.MainTaxCreditTotal = 500;
    s.TotalCredit = 500;
    s.SolidarityBase[T] = 20000;
    s.SolidarityContribution[T] = 176;
    s.OtherAmountsTotal = 176;
    s.FinalBalance = -324;
    return s;
}

std::vector<std::string> Column(const StatementView& v, int column) {
    std::vector<std::string> out;
    for (int r = 1; r <= kEkaRows; ++r) out.push_back(v.rows[r].Text(column));
    return out;
}

// The main statement of a results set by hand, as the engine's last step
// completes it.
EkaCells Build(EngineState s, const Edition& edition, const EkaOptions& options = {}) {
    ComputeStatementFigures(s);
    return BuildEkaCells(s, edition, options);
}
StatementView Breakdown(EkaView view, EngineState s, const Edition& edition) {
    ComputeStatementFigures(s);
    return BuildBreakdownView(view, s, edition);
}

// The single-person run in both editions: the same amounts, the editions'
// own captions and colours.
TEST(EkaCells, SalaryRunInBothEditions) {
    const std::vector<std::string> expected = {
        "20.000,00", "", "20.000,00", "", "20.000,00", "", "20.000,00", "4.400,00", "", "",
        "1.900,00", "2.500,00", "3.000,00", "-500,00", "", "-500,00", "", "", "-500,00", "",
        "20.000,00", "176,00", "", "", "-324,00"};
    struct Case {
        const Edition& edition;
        const char *row25, *row15, *row19;
        bool framed;
        Ink final, partial, reductions, principal;
    };
    const Case cases[] = {
        {Edition2019(), " ΤΕΛΙΚΗ ΕΠΙΣΤΡΟΦΗ (Υ) ", "ΣΥΓΚΕΝΤΡΩΤΙΚΑ ΠΟΣΑ", "ΜΕΡΙΚΟ ΠΟΣΟ ΦΟΡΟΥ", true, Ink::Green,
         Ink::Green, Ink::GridText, Ink::GridText},
        {Edition2018(), "ΤΕΛΙΚΟ ΠΟΣΟ ΠΛΗΡΩΜΗΣ", "ΣΥΝΟΛΙΚΑ ΠΟΣΑ", "ΤΕΛΙΚΟ ΠΟΣΟ ΦΟΡΟΥ", false, Ink::Black, Ink::Red,
         Ink::Red, Ink::Red},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.edition.year);
        const EkaCells c = Build(SalaryRunResults(), k.edition);
        EXPECT_EQ(Column(c, 1), expected);
        EXPECT_EQ(Column(c, 2), std::vector<std::string>(kEkaRows, ""));
        EXPECT_EQ(c.rows[25].caption, k.row25);
        EXPECT_EQ(c.rows[15].caption, k.row15);
        EXPECT_EQ(c.rows[19].caption, k.row19);
        EXPECT_EQ(c.rows[0].amount[T], "ΤΟΥ ΥΠΟΧΡΕΟΥ");
        EXPECT_EQ(c.rows[0].amount[S], "ΤΗΣ ΣΥΖΥΓΟΥ");
        EXPECT_FALSE(c.receiptsShown);  // 2500 required, 2500 declared
        EXPECT_TRUE(c.breakdownsEnabled);
        // A refund is green and framed where the edition frames; a blank
        // spouse cell red and framed.
        EXPECT_EQ(c.rows[25].style[1].ink, k.final);
        EXPECT_EQ(c.rows[25].style[1].framed, k.framed);
        EXPECT_EQ(c.rows[25].style[2].ink, k.framed ? Ink::Red : Ink::Black);
        EXPECT_EQ(c.rows[25].style[2].framed, k.framed);
        EXPECT_EQ(c.rows[19].style[1].ink, k.partial);
        // The reductions and a negative principal tax are marked; others black.
        EXPECT_EQ(c.rows[14].style[1].ink, k.principal);
        EXPECT_EQ(c.rows[11].style[1].ink, k.reductions);
        EXPECT_EQ(c.rows[12].style[1].ink, Ink::Black);
        EXPECT_EQ(c.rows[14].style[2].ink, Ink::Black);  // blank, not negative
        EXPECT_TRUE(c.rows[12].style[1].bold);
        EXPECT_FALSE(c.rows[12].style[0].bold);
        EXPECT_TRUE(c.rows[9].style[0].italic && c.rows[9].style[1].italic);
    }
}

// Both spouses with amounts: edition 2018 puts the couple's totals of rows
// 16-19 and 25 in the taxpayer column, edition 2019 keeps them apart.
TEST(EkaCells, JointRowsOfEdition2018) {
    EngineState s;
    s.Married = true;
    s.MainTaxGross = {1000, 0};
    s.MainTaxCredit = {0, 300};
    s.MainTaxDebitTotal = 1000;
    s.MainTaxCreditTotal = 300;
    s.Prepayment = {200, 50};
    s.OtherCertifiedAmounts = {10, 20};  // per person: edition 2019 only
    s.OtherCertifiedTotal = 40;
    s.SolidarityContribution = {100, 0};
    s.PrepaidAmounts = {30, 0};
    s.FinalBalance = 1234.5;

    struct Cell {
        const Edition& edition;
        int row, person;
        const char* text;
    };
    const Edition& e18 = Edition2018();
    const Edition& e19 = Edition2019();
    const Cell cells[] = {
        {e18, 14, T, "1.000,00"}, {e18, 14, S, "-300,00"}, {e18, 16, T, "700,00"},  {e18, 17, T, "250,00"},
        {e18, 18, T, "40,00"},    {e18, 19, T, "990,00"},  {e18, 25, T, "1.234,50"}, {e18, 22, T, "100,00"},
        {e18, 16, S, ""},         {e18, 17, S, ""},        {e18, 18, S, ""},         {e18, 19, S, ""},
        {e18, 25, S, ""},         {e19, 16, T, "1.000,00"}, {e19, 16, S, "-300,00"}, {e19, 17, S, "50,00"},
        {e19, 18, S, "20,00"},    {e19, 19, T, "1.210,00"}, {e19, 19, S, "-230,00"},
        {e19, 25, T, "1.280,00"},  // 1210 + 100 - 30
        {e19, 25, S, "-230,00"},
    };
    for (const Cell& c : cells)
        EXPECT_EQ(Build(s, c.edition).Cell(c.row, c.person), c.text) << c.edition.year << " row " << c.row;
    const EkaCells c19 = Build(s, e19);
    EXPECT_EQ(c19.rows[25].caption, " ΤΕΛΙΚΗ ΠΛΗΡΩΜΗ (Υ) / ΕΠΙΣΤΡΟΦΗ (Σ) ");
    EXPECT_EQ(c19.rows[25].style[1].ink, Ink::Red);
    EXPECT_EQ(c19.rows[25].style[2].ink, Ink::Green);
}

TEST(EkaCells, OneInstalmentDiscountsThePositiveFinalTax) {
    EngineState s;
    s.Married = true;
    s.MainTaxGross = {1234.56, 0};
    s.MainTaxDebitTotal = 1234.56;
    const Edition& e18 = Edition2018();
    EXPECT_EQ(Build(s, e18, {.oneInstalment = false}).Cell(19, T), "1.234,56");
    EXPECT_EQ(Build(s, e18, {.oneInstalment = true}).Cell(19, T), "1.216,04");
    // Only row 19 changes; the final amount stays.
    EXPECT_EQ(Build(s, e18, {.oneInstalment = true}).Cell(16, T), "1.234,56");
    // Edition 2019 has no such option.
    EXPECT_EQ(Build(s, Edition2019(), {.oneInstalment = true}).Cell(19, T), "1.234,56");

    s.MainTaxGross = {0, 0};
    s.MainTaxCredit = {400, 0};
    s.MainTaxCreditTotal = 400;
    EXPECT_EQ(Build(s, e18, {.oneInstalment = true}).Cell(19, T), "-400,00");
}

TEST(EkaCells, FinalRowCaptionCases) {
    struct Case {
        const char* taxpayer;
        const char* spouse;
        const char* caption;
    };
    const Case cases[] = {
        {"-150,00", "80,00", " ΤΕΛΙΚΗ ΕΠΙΣΤΡΟΦΗ (Υ) / ΠΛΗΡΩΜΗ (Σ) "},
        {"1.000,00", "", " ΤΕΛΙΚΗ ΠΛΗΡΩΜΗ (Υ) "},
        {"", "-3,00", "/ ΕΠΙΣΤΡΟΦΗ (Σ) "},
        {"12,00", "-3,00", " ΤΕΛΙΚΗ ΠΛΗΡΩΜΗ (Υ) / ΕΠΙΣΤΡΟΦΗ (Σ) "},
        {"", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FinalRowCaption(c.taxpayer, c.spouse), c.caption) << c.taxpayer << "|" << c.spouse;
}

TEST(EkaCells, ZeroFinalsLeaveBlankCellsAndNoCaption) {
    EngineState s;
    s.Married = true;  // something declared, nothing owed
    const EkaCells c = Build(s, Edition2019());
    for (int r = 1; r <= kEkaRows; ++r) {
        EXPECT_EQ(c.Cell(r, T), "") << r;
        EXPECT_EQ(c.Cell(r, S), "") << r;
    }
    EXPECT_EQ(c.rows[25].caption, "");
    EXPECT_EQ(c.rows[25].style[1].ink, Ink::Red);
    EXPECT_EQ(c.rows[25].style[2].ink, Ink::Red);
    EXPECT_TRUE(c.breakdownsEnabled);
}

TEST(EkaCells, NothingDeclaredBlanksEverythingAndDisablesBreakdowns) {
    EngineState s = SalaryRunResults();
    s.NothingDeclared = true;
    s.ReceiptsDifference[T] = -220;
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        const EkaCells c = Build(s, *e, {.oneInstalment = true});
        for (int r = 1; r <= kEkaRows; ++r) EXPECT_EQ(c.Cell(r, T) + c.Cell(r, S), "") << r;
        EXPECT_FALSE(c.breakdownsEnabled);
        EXPECT_EQ(c.rows[1].caption, "ΔΗΛΩΘΕΝ ΕΙΣΟΔΗΜΑ");
        EXPECT_EQ(c.rows[24].caption, "ΦΟΡΟΣ ΠΟΛΥΤΕΛΟΥΣ ΔΙΑΒΙΩΣΗΣ");
    }
    EXPECT_EQ(Build(s, Edition2019()).rows[25].caption, "");
    EXPECT_EQ(Build(s, Edition2018()).rows[25].caption, "ΤΕΛΙΚΟ ΠΟΣΟ ΠΛΗΡΩΜΗΣ");
}

TEST(EkaCells, ReceiptsShortfall) {
    EngineState s;
    s.ReceiptsDifference = {-220, 0};
    s.ReceiptsDeclared = 5000;
    const EkaCells c = Build(s, Edition2019());
    EXPECT_EQ(c.Cell(9, T), "220,00");
    EXPECT_EQ(c.Cell(9, S), "");
    EXPECT_EQ(c.Cell(10, T), "");
    EXPECT_TRUE(c.receiptsShown);
    EXPECT_EQ(c.receiptsText, "6.000,00");

    // The shortfalls of both persons add up.
    s.ReceiptsDifference = {-110, -110};
    EXPECT_EQ(Build(s, Edition2018()).receiptsText, "6.000,00");

    s.ReceiptsDifference = {0, 0};
    const EkaCells none = Build(s, Edition2019());
    EXPECT_FALSE(none.receiptsShown);
    EXPECT_EQ(none.receiptsText, "");
    EXPECT_EQ(none.Cell(9, T) + none.Cell(10, T), "");
}

TEST(EkaCells, ClampedAndConditionalRows) {
    EngineState s;
    s.Married = true;
    s.ForeignIncome = {100, 500};
    s.ForeignLoss = {400, 200};
    s.DeclaredIncome = {1000, 300};
    s.BusinessLossOffset = {1500, 100};
    const EkaCells c = Build(s, Edition2019());
    EXPECT_EQ(c.Cell(2, T), "");  // foreign loss above foreign income
    EXPECT_EQ(c.Cell(2, S), "300,00");
    EXPECT_EQ(c.Cell(1, T), "");  // losses above income: not negative
    EXPECT_EQ(c.Cell(1, S), "200,00");
}

TEST(EkaCells, RowMarksByEdition) {
    const EngineState s = SalaryRunResults();
    const EkaCells c19 = Build(s, Edition2019());
    const EkaCells c18 = Build(s, Edition2018());
    for (const EkaCells* c : {&c19, &c18}) {
        EXPECT_EQ(c->rows[20].height, 0);
        EXPECT_EQ(c->rows[7].height, 36);
        EXPECT_EQ(c->rows[19].height, 36);
        EXPECT_EQ(c->rows[8].height, 18);
        EXPECT_TRUE(c->rows[8].lineAbove && c->rows[20].lineAbove);
        EXPECT_TRUE(c->rows[6].lineBelow && c->rows[18].lineBelow);
        EXPECT_TRUE(c->rows[25].centredVertically && c->rows[7].centredVertically);
        // Bold headings in the main statement only.
        EXPECT_TRUE(c->rows[0].style[1].bold && c->rows[0].style[2].bold);
        EXPECT_FALSE(c->rows[0].style[0].bold);
    }
    // Edition 2018 draws row 15 as a plain row, in the main view and the breakdowns.
    EXPECT_TRUE(c19.rows[15].centredVertically);
    EXPECT_FALSE(c18.rows[15].centredVertically);
    EXPECT_FALSE(Breakdown(EkaView::Incomes, s, Edition2018()).rows[15].centredVertically);
    EXPECT_FALSE(Breakdown(EkaView::Incomes, s, Edition2019()).rows[0].style[1].bold);
    EXPECT_EQ(c19.rows[15].height, 36);
    EXPECT_EQ(c19.rows[25].height, 36);
    EXPECT_EQ(c18.rows[15].height, 18);
    EXPECT_EQ(c18.rows[25].height, 18);
    EXPECT_TRUE(c19.rows[14].lineBelow);
    EXPECT_FALSE(c18.rows[14].lineBelow);
    EXPECT_TRUE(c19.rows[15].centredHorizontally);
    EXPECT_FALSE(c18.rows[15].centredHorizontally);
}

TEST(BreakdownView, IncomesWithSumsAndBlanks) {
    EngineState s;
    s.RealEstateIncome = {1000, 0};
    s.SalaryIncome = {20000, 5000.5};
    s.ForeignIncome = {300, 0};
    s.DeclaredIncome = {21000, 5000.5};
    s.CurrentLossOffset = {100, 0};
    s.PriorLossOffset = {50, 0};
    s.ForeignLoss = {0, 25};
    s.TotalDeclaredIncome = {21150, 4975.5};
    s.BusinessGross = {-10, 0};
    const StatementView v = Breakdown(EkaView::Incomes, s, Edition2019());
    EXPECT_EQ(v.view, EkaView::Incomes);
    EXPECT_EQ(v.title, "ΕΙΣΟΔΗΜΑTA");
    EXPECT_EQ(v.rows[1].caption, "ΕΙΣΟΔΗΜΑ ΑΠΟ ΑΚΙΝΗΤΑ");
    EXPECT_EQ(v.rows[1].amount[T], "1.000,00");
    EXPECT_EQ(v.rows[1].amount[S], "");  // zero shows blank
    EXPECT_EQ(v.rows[2].amount[T], "");
    EXPECT_EQ(v.rows[3].amount[S], "5.000,50");
    EXPECT_EQ(v.rows[9].amount[T], "21.300,00");
    EXPECT_EQ(v.rows[13].amount[T], "150,00");
    EXPECT_EQ(v.rows[13].amount[S], "25,00");
    EXPECT_EQ(v.rows[15].amount[T], "21.150,00");
    EXPECT_EQ(v.rows[18].amount[T], "-10,00");  // signs shown as they are
    EXPECT_EQ(v.rows[14].caption + v.rows[16].caption + v.rows[19].caption, "");
    EXPECT_EQ(v.rows[17].caption, "ΑΥΤΟΤΕΛΗ ΦΟΡΟΛ. ΠΟΣΑ ... ΚΛΠ.");
    EXPECT_EQ(v.rows[0].amount[T], "ΤΟΥ ΥΠΟΧΡΕΟΥ");
    // Breakdown views are plain black, with the same fixed rows.
    EXPECT_FALSE(v.rows[3].style[1].bold);
    EXPECT_EQ(v.rows[3].style[1].ink, Ink::Black);
    EXPECT_EQ(v.rows[7].height, 18);
    EXPECT_EQ(v.rows[20].height, 0);
    EXPECT_TRUE(v.rows[15].centredHorizontally);
    EXPECT_FALSE(Breakdown(EkaView::Incomes, s, Edition2018()).rows[15].centredHorizontally);
}

TEST(BreakdownView, ReductionsByKind) {
    EngineState s;
    s.TaxReductionKinds[T][0] = 1900;
    s.TaxReductionKinds[T][14] = 50;
    s.TaxReductionKinds[S][13] = 200;
    s.TaxReductionKinds[T][15] = 12;
    s.DeductionDonations = {0, 70};
    const StatementView v = Breakdown(EkaView::Reductions, s, Edition2019());
    EXPECT_EQ(v.rows[1].caption, "ΜΕΙΩΣΗ ΠΑΡ. 2  ΑΡΘΡΟΥ 9 2238/94");
    EXPECT_EQ(v.rows[1].amount[T], "1.900,00");
    EXPECT_EQ(v.rows[2].amount[T], "50,00");
    EXPECT_EQ(v.rows[5].caption, "ΔΩΡΕΕΣ ΑΠΟΣΒΕΣΗΣ ΔΗΜ.ΧΡΕΟΥΣ ");
    EXPECT_EQ(v.rows[7].amount[T], "12,00");
    EXPECT_EQ(v.rows[8].amount[S], "200,00");
    EXPECT_EQ(v.rows[11].caption, "ΕΚΠΤΩΣΕΙΣ ΑΠΟ ΤΟ ΕΙΣΟΔΗΜΑ");
    EXPECT_EQ(v.rows[11].amount[T] + v.rows[11].amount[S], "");
    EXPECT_EQ(v.rows[13].amount[S], "70,00");
    EXPECT_EQ(v.rows[9].caption + v.rows[10].caption + v.rows[12].caption, "");
}

TEST(BreakdownView, SmallViews) {
    EngineState s;
    s.Prepayment = {2200, 40};
    s.PrepaymentHalved = {true, false};
    s.StampDuty = {300, 0};
    s.StampDutyOGA = {60, 0};
    s.StampDutyTotal = {360, 0};
    s.LateStampDuty = {13.5, 0};
    s.LateFilingTax = {15, 5};
    s.SalaryTaxWithheld = {3000, 0};
    s.ProfessionalWithholding = {0, 120};
    s.TaxAfterReductions = {2500, 0};

    const StatementView pre = Breakdown(EkaView::Prepayment, s, Edition2019());
    EXPECT_EQ(pre.rows[1].caption, "ΠΡΟΚΑΤΑΒΟΛΗ ΕΠΟΜΕΝΟΥ ΕΤΟΥΣ");
    EXPECT_EQ(pre.rows[1].amount[T], "4.400,00");  // before the halving
    EXPECT_EQ(pre.rows[1].amount[S], "40,00");

    const StatementView cert = Breakdown(EkaView::Certified, s, Edition2019());
    EXPECT_EQ(cert.rows[6].caption, "ΣΥΝΟΛΟ ΣΥΜΒΕΒΑΙΟΥΜΕΝΩΝ ΠΟΣΩΝ");
    EXPECT_EQ(cert.rows[6].amount[T], "373,50");
    EXPECT_EQ(cert.rows[3].amount[T], "13,50");
    EXPECT_EQ(cert.rows[7].amount[S], "5,00");
    EXPECT_EQ(cert.rows[4].amount[T], "");

    const StatementView wh = Breakdown(EkaView::Withholdings, s, Edition2019());
    EXPECT_EQ(wh.rows[1].amount[T], "3.000,00");
    EXPECT_EQ(wh.rows[2].caption, "ΠΑΡΑΚΡΑΤΗΣΗ ΕΠΑΓΓΕΛΜΑΤΙΩΝ κλπ");
    EXPECT_EQ(wh.rows[2].amount[S], "120,00");

    const StatementView sup = Breakdown(EkaView::Supplementary, s, Edition2019());
    EXPECT_EQ(sup.rows[1].amount[T], "2.500,00");
    EXPECT_EQ(sup.rows[2].caption, "ΣΥΜΠΛΗΡΩΜΑΤΙΚΟΣ ΦΟΡΟΣ");
    EXPECT_EQ(sup.rows[2].amount[T], "");
    EXPECT_EQ(sup.rows[3].caption, "");
}

// The cells from the engine itself, for the whole single-person run.
TEST(EkaCells, FromTheEngineRun) {
    EngineState s;
    s.CodeValue[301] = 20000;
    s.CodeValue[49] = 2500;
    s.CodeValue[315] = 3000;
    ComputeClearance(s, Edition2019());
    ASSERT_FALSE(s.NothingDeclared);
    EXPECT_DOUBLE_EQ(s.FinalBalance, -324);
    const EkaCells c = BuildEkaCells(s, Edition2019());
    EXPECT_EQ(c.Cell(7, T), "20.000,00");
    EXPECT_EQ(c.Cell(12, T), "2.500,00");
    EXPECT_EQ(c.Cell(14, T), "-500,00");
    EXPECT_EQ(c.Cell(22, T), "176,00");
    EXPECT_EQ(c.Cell(25, T), "-324,00");
    EXPECT_EQ(c.rows[25].caption, " ΤΕΛΙΚΗ ΕΠΙΣΤΡΟΦΗ (Υ) ");

    // Edition 2018 computes the same declaration with its own rules; its
    // statement shows the engine's joint final amount.
    EngineState s18;
    s18.CodeValue = s.CodeValue;
    s18.CodeValue[709] = s18.CodeValue[710] = 0;
    ComputeClearance(s18, Edition2018());
    const EkaCells c18 = BuildEkaCells(s18, Edition2018());
    EXPECT_EQ(c18.Cell(25, T), FormatAmountBlankZero(s18.FinalBalance));
    EXPECT_EQ(c18.Cell(25, S), "");
    EXPECT_EQ(c18.rows[25].caption, "ΤΕΛΙΚΟ ΠΟΣΟ ΠΛΗΡΩΜΗΣ");
}

}  // namespace
}  // namespace kestrana
