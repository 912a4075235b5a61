// The E1 and fast-entry intakes and the luxury figures.
#include "engine/intake.h"

#include "engine_test_util.h"
#include "records/e1_record.h"

namespace kestrana::test {
namespace {

IntakeEntry Amount(const char* name, double v) { return {name, IntakeControl::Amount, false, v}; }
IntakeEntry Tick(const char* name, bool on) { return {name, IntakeControl::Tick, false, on ? 1.0 : 0.0}; }

TEST(E1Intake, CodesFromControlNames) {
    EngineState s;
    s.CodeValue[500] = 7;  // cleared first
    E1IntakeInput in;
    in.entries = {Amount("edP301", 20000),
                  Amount("EDP302", 100),
                  {"edP303", IntakeControl::Amount, true, 55},  // empty text: not declared
                  {"edP003", IntakeControl::Integer, false, 2},
                  Amount("edPabc", 1),
                  Amount("edP1001", 1),  // 100 + "1": the three characters give 100
                  Amount("edp093", 1),
                  Amount("edP205", 3),
                  Tick("cbP205", true),  // the later control wins
                  Tick("cbP017", true),
                  Amount("edX401", 9)};
    in.exemptS = true;
    in.touristTownF = true;
    in.largeCityS = true;
    LoadCodesFromE1(s, in);
    EXPECT_EQ(s.CodeValue[500], 0);
    EXPECT_EQ(s.CodeValue[301], 20000);
    EXPECT_EQ(s.CodeValue[302], 100);
    EXPECT_EQ(s.CodeValue[303], 0);
    EXPECT_EQ(s.CodeValue[3], 2);
    EXPECT_EQ(s.CodeValue[100], 1);
    EXPECT_EQ(s.CodeValue[93], 1);
    EXPECT_EQ(s.CodeValue[205], 1);
    EXPECT_EQ(s.CodeValue[401], 0);
    EXPECT_EQ(s.FeeExempt, (PersonFlags{true, true}));
    EXPECT_EQ(s.FeeTouristTown, (PersonFlags{true, false}));
    EXPECT_EQ(s.FeeLargeCity, (PersonFlags{false, true}));
    EXPECT_FALSE(CodeFromControlName("edP-12", "EDP"));
    EXPECT_FALSE(CodeFromControlName("edP99", "EDP"));
}

class LuxuryTest : public BothEditions {
protected:
    EngineState Cars(int cc, int year, double amount, bool relief = false) const {
        EngineState s;
        E1IntakeInput in;
        in.entries = {Amount("edP851", amount), Amount("edP852", amount / 2), Tick("cbP013", relief)};
        in.carCapacity[0] = cc;
        in.carYear[0] = year;
        PrepareFromE1(s, in, edition());
        return s;
    }
};

TEST_P(LuxuryTest, CarsByCapacityAndYear) {
    struct Case {
        int cc, year;
        double base5, base13;
    } cases[] = {
        {2500, 2009, 1000, 0}, {2501, 2009, 0, 1000}, {1928, 2009, 0, 0}, {1929, 2015, 1000, 0}, {0, 2009, 0, 0},
    };
    for (const Case& c : cases) {
        const EngineState s = Cars(c.cc, c.year, 1000);
        EXPECT_DOUBLE_EQ(s.LuxuryBase5[T], c.base5) << c.cc;
        EXPECT_DOUBLE_EQ(s.LuxuryBase13[T], c.base13) << c.cc;
        EXPECT_DOUBLE_EQ(s.LuxuryBase5[S], c.base5 / 2) << c.cc;
    }
    // A 2008 car counts only in edition 2018, a 2007 one in neither.
    EXPECT_DOUBLE_EQ(Cars(2000, 2008, 1000).LuxuryBase5[T], GetParam() == 2018 ? 1000 : 0);
    EXPECT_EQ(Cars(2000, 2007, 1000).LuxuryBase5[T], 0);
    EXPECT_EQ(Cars(2000, 0, 1000).LuxuryBase5[T], 0);
}

TEST_P(LuxuryTest, Code013Relief) {
    const EngineState s = Cars(2000, 2010, 10000, true);
    EXPECT_DOUBLE_EQ(s.LuxuryBase5[T], 7000);
    EXPECT_DOUBLE_EQ(s.LuxuryTax5[T], 350);
    EXPECT_DOUBLE_EQ(s.LuxuryBase5[S], 5000);  // 014 not ticked
}

TEST_P(LuxuryTest, BoatsAndOtherCodes) {
    struct Case {
        double length;
        bool sailing;
        double hidden993;
        double base13;
    } cases[] = {{5, false, 0, 100}, {6, false, 0, 1100}, {6, true, 0, 100}, {6, false, 1, 100}};
    for (const Case& c : cases) {
        EngineState s;
        E1IntakeInput in;
        in.entries = {Amount("edP711", 1000), Amount("edP715", 60), Amount("edP765", 40), Amount("edP993", c.hidden993),
                      Amount("edP716", 5)};
        in.boatLength1 = c.length;
        in.boatType1 = c.sailing;
        LoadCodesFromE1(s, in);
        ComputeLuxuryFigures(s, in, edition());
        EXPECT_DOUBLE_EQ(s.LuxuryBase13[T], c.base13) << c.length << c.sailing << c.hidden993;
        EXPECT_DOUBLE_EQ(s.LuxuryBase13[S], 5);
        EXPECT_NEAR(s.LuxuryTax13[T], 0.13 * c.base13, 1e-9);
    }
    // The second boat: 713/714 with cbBoatType3.
    EngineState s;
    E1IntakeInput in;
    in.entries = {Amount("edP713", 1000), Amount("edP714", 200)};
    in.boatLength2 = 8;
    PrepareFromE1(s, in, edition());
    EXPECT_DOUBLE_EQ(s.LuxuryBase13[T], 1000);
    EXPECT_DOUBLE_EQ(s.LuxuryBase13[S], 200);
    in.boatType3 = true;
    PrepareFromE1(s, in, edition());
    EXPECT_EQ(s.LuxuryBase13[T], 0);
}

KESTRANA_BOTH_EDITIONS(LuxuryTest);

TEST(E1Intake, PrepareSetsMarriedAndLateMonths) {
    EngineState s;
    E1IntakeInput in;
    in.entries = {Amount("edP301", 20000)};
    in.married = true;
    in.lateMonths = 4;
    PrepareFromE1(s, in, Edition2019());
    EXPECT_TRUE(s.Married);
    EXPECT_EQ(s.LateMonths, 4);
}

TEST(E1Intake, FromRecord) {
    E1Record r;
    r.SetCode(0, 301, 20000);
    r.SetCode(1, 93, 1);
    r.SetCode(2, 95, 2);  // not 1: the box stays unticked
    r.SetCode(3, 17, 1);
    r.SetCode(4, 3, 1.5);
    r.SetCode(5, 27, 1);
    r.SetBool("cbMarried", true);
    r.SetBool("cbTelos400S", true);
    r.SetBool("cbExairesiS", true);
    r.SetInt("edEkprot", 2);
    r.SetInt("edCarIppoi1", 2600);
    r.SetInt("edCarYear1", 2012);
    r.SetCode(6, 851, 4000);
    r.SetInt("edScafosLen2", 7);
    r.SetBool("cbBoatType3", true);
    r.SetCode(7, 93, 2);  // neither 1 nor 0: the large-city box stays ticked

    E1IntakeInput in = IntakeInputFromE1Record(r);
    EXPECT_TRUE(in.married);
    EXPECT_EQ(in.lateMonths, 2);
    EXPECT_TRUE(in.largeCityF);
    EXPECT_FALSE(in.largeCityS);
    EXPECT_TRUE(in.touristTownS);
    EXPECT_TRUE(in.exemptS);
    EXPECT_EQ(in.carCapacity[0], 2600);
    EXPECT_EQ(in.carYear[0], 2012);
    EXPECT_EQ(in.boatLength2, 7);
    EXPECT_TRUE(in.boatType3);

    EngineState s;
    PrepareFromE1(s, in, Edition2019());
    EXPECT_EQ(s.CodeValue[301], 20000);
    EXPECT_EQ(s.CodeValue[3], 1.5);
    EXPECT_EQ(s.CodeValue[27], 1);
    EXPECT_EQ(s.FeeExempt, (PersonFlags{true, true}));
    EXPECT_EQ(s.FeeLargeCity, (PersonFlags{true, false}));
    EXPECT_DOUBLE_EQ(s.LuxuryBase13[T], 4000);

    // With the window's controls: codes without one are dropped, integer
    // boxes rounded half to even, tick boxes read 1.
    in = IntakeInputFromE1Record(r, [](int code) -> std::optional<IntakeControl> {
        if (code == 27) return std::nullopt;
        if (code == 3) return IntakeControl::Integer;
        if (code == 17) return IntakeControl::Tick;
        return IntakeControl::Amount;
    });
    PrepareFromE1(s, in, Edition2019());
    EXPECT_EQ(s.CodeValue[27], 0);
    EXPECT_EQ(s.CodeValue[3], 2);
    EXPECT_EQ(s.CodeValue[17], 1);
}

// An amount comes in as its box shows it, two decimals: the file's six bytes
// of 0.01 read 0.010000000000005116, which the box shows, and holds, as 0.01.
TEST(E1Intake, AmountsAsTheirBoxesHoldThem) {
    E1Record r;
    r.SetCode(0, 301, 0.01);
    r.SetCode(1, 303, 1000.006);
    r.SetCode(2, 3, 3e12);  // beyond a whole-number box: the box stays empty
    ASSERT_NE(r.GetCode(0).value, 0.01);
    const E1IntakeInput in = IntakeInputFromE1Record(r, [](int code) -> std::optional<IntakeControl> {
        return code == 3 ? IntakeControl::Integer : IntakeControl::Amount;
    });
    EngineState s;
    PrepareFromE1(s, in, Edition2019());
    EXPECT_EQ(s.CodeValue[301], 0.01);
    EXPECT_EQ(s.CodeValue[303], 1000.01);
    EXPECT_EQ(s.CodeValue[3], 0);
}

TEST(FastEntry, IntakeRules) {
    EngineState s;
    s.LateMonths = 5;
    s.FeeLargeCity = {true, true};
    s.FeeExempt = {true, false};
    s.LuxuryTax5 = {100, 200};
    s.LuxuryBase13 = {1, 2};
    s.CodeValue[999] = 3;
    std::vector<FastEntryRow> rows = {{"301", "20.000,50"}, {"067", "5.000"}, {"068", "2999"},
                                      {"", "99"},           {"617", "250"},   {"115", ""}};
    const IntakeResult r = FastEntryIntake(s, rows, {617, 11, 327}, true);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(s.CodeValue[999], 0);
    EXPECT_DOUBLE_EQ(s.CodeValue[301], 20000.5);
    EXPECT_EQ(s.CodeValue[67], 3000);
    EXPECT_EQ(rows[1].amount, "3000");
    EXPECT_EQ(s.CodeValue[68], 2999);
    EXPECT_EQ(rows[2].amount, "2999");
    EXPECT_EQ(s.CodeValue[617], 250);  // the typed amount stays as it is
    EXPECT_EQ(s.CodeValue[115], 0);
    EXPECT_NE(s.CodeValue[11], 0);  // ticked
    EXPECT_LT(s.CodeValue[11], 1e-300);
    EXPECT_EQ(s.LateMonths, 0);
    EXPECT_TRUE(s.Married);
    EXPECT_EQ(s.FeeLargeCity, (PersonFlags{false, false}));
    EXPECT_EQ(s.FeeExempt, (PersonFlags{false, false}));
    EXPECT_EQ(s.LuxuryTax5, (PerPerson{0, 0}));
    EXPECT_EQ(s.LuxuryBase13, (PerPerson{0, 0}));

    // A ticked box works as a tick in the engine: 327 halves the prepayment.
    ComputeClearance(s, Edition2019());
    EXPECT_TRUE(s.PrepaymentHalved[T]);
}

// A ticked 617 changes nothing: the coverage tests compare with zero
// exactly, so even a tiny mark would move the added difference.
TEST(FastEntry, TickedAmountCodeAddsNothingMeasurable) {
    EngineState ticked, plain;
    std::vector<FastEntryRow> rows = {{"115", "20000"}};
    ASSERT_TRUE(FastEntryIntake(ticked, rows, {617}, false).ok);
    ASSERT_TRUE(FastEntryIntake(plain, rows, {}, false).ok);
    ComputeClearance(ticked, Edition2019());
    ComputeClearance(plain, Edition2019());
    EXPECT_EQ(ticked.CodeValue[617], 0);
    EXPECT_EQ(ticked.AddedDiffSalary[T], plain.AddedDiffSalary[T]);
    EXPECT_EQ(ticked.FinalBalance, plain.FinalBalance);
}

TEST(FastEntry, AfterAnE1ClearanceNoFeeOrLuxuryRemains) {
    EngineState s;
    E1IntakeInput in;
    in.entries = {Amount("edP301", 20000), Amount("edP851", 10000)};
    in.carCapacity[0] = 3000;
    in.carYear[0] = 2015;
    in.largeCityF = true;
    PrepareFromE1(s, in, Edition2019());
    ComputeClearance(s, Edition2019());
    ASSERT_GT(s.LuxuryTax[T], 0);
    ASSERT_GT(s.ProfessionalFee[T], 0);
    std::vector<FastEntryRow> rows = {{"301", "20000"}};
    ASSERT_TRUE(FastEntryIntake(s, rows, {}, false).ok);
    ComputeClearance(s, Edition2019());
    EXPECT_EQ(s.LuxuryTax[T], 0);
    EXPECT_EQ(s.ProfessionalFee[T], 0);
}

TEST(FastEntry, ErrorsStopTheIntake) {
    struct Case {
        FastEntryRow row;
        std::string message;
    } cases[] = {
        {{"-", "1"}, "'-' is not a valid integer value"},
        {{"12a", "1"}, "'12a' is not a valid integer value"},
        {{"1001", "1"}, ""},
        {{"-1", "1"}, ""},
        {{"301", "1,2,3"}, "'1,2,3' is not a valid floating point value"},
        {{"301", "-"}, "'-' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        EngineState s;
        std::vector<FastEntryRow> rows = {c.row};
        const IntakeResult r = FastEntryIntake(s, rows, {}, false);
        EXPECT_FALSE(r.ok) << c.row.code << " " << c.row.amount;
        if (!c.message.empty()) EXPECT_EQ(r.message, c.message);
        else EXPECT_NE(r.message.find("Range check error"), std::string::npos) << r.message;
    }
}

}  // namespace
}  // namespace kestrana::test
