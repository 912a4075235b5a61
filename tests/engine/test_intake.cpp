// The E1 intake (codes by code and kind, fee flags) and the luxury figures.
#include "engine/intake.h"

#include "engine_test_util.h"

namespace kestrana::test {
namespace {

CodeBoxValue Amount(int code, double v) { return {code, CodeBoxKind::Amount, true, v}; }
CodeBoxValue Empty(int code) { return {code, CodeBoxKind::Amount, false, 0}; }
CodeBoxValue Whole(int code, double v) { return {code, CodeBoxKind::Whole, true, v}; }
CodeBoxValue Tick(int code, bool on) { return {code, CodeBoxKind::Tick, on, 0}; }

TEST(E1Intake, CodesByCodeAndKind) {
    EngineState s;
    s.CodeValue[500] = 7;  // cleared first
    E1Intake in;
    in.boxes = {Amount(301, 20000), Amount(302, 0),  Empty(303), Whole(3, 2), Amount(1001, 1),
                Amount(93, 1),      Whole(205, 3),   Tick(205, true),  // the later box wins
                Tick(17, true),     Tick(327, false), Amount(617, 1)};
    in.feeExempt = {false, true};
    in.feeTouristTown = {true, false};
    in.feeLargeCity = {false, true};
    LoadCodesFromE1(s, in);
    EXPECT_EQ(s.CodeValue[500], 0);
    EXPECT_EQ(s.CodeValue[301], 20000);
    EXPECT_EQ(s.CodeValue[302], 0);
    EXPECT_EQ(s.CodeValue[303], 0);
    EXPECT_EQ(s.CodeValue[3], 2);
    EXPECT_EQ(s.CodeValue[93], 1);
    EXPECT_EQ(s.CodeValue[205], 1);
    EXPECT_EQ(s.CodeValue[17], 1);  // a tick is exactly 1
    EXPECT_EQ(s.CodeValue[327], 0);
    EXPECT_EQ(s.CodeValue[617], 1);
    EXPECT_EQ(s.FeeExempt, (PersonFlags{true, true}));  // 017 exempts the taxpayer as well
    EXPECT_EQ(s.FeeTouristTown, (PersonFlags{true, false}));
    EXPECT_EQ(s.FeeLargeCity, (PersonFlags{false, true}));
}

TEST(E1Intake, PrepareSetsMarriedLateMonthsAndLeavesNothingOfTheLastRun) {
    EngineState s;
    E1Intake in;
    in.boxes = {Amount(301, 20000), Amount(851, 10000)};
    in.assets.cars[0] = {3000, 2015};
    in.feeLargeCity = {true, false};
    in.married = true;
    in.lateMonths = 4;
    PrepareFromE1(s, in, Edition2019());
    EXPECT_TRUE(s.Married);
    EXPECT_EQ(s.LateMonths, 4);
    ComputeClearance(s, Edition2019());
    ASSERT_GT(s.LuxuryTax[T], 0);
    ASSERT_GT(s.ProfessionalFee[T], 0);

    // The next declaration has neither: nothing of the first stays.
    PrepareFromE1(s, E1Intake{{Amount(301, 20000)}}, Edition2019());
    ComputeClearance(s, Edition2019());
    EXPECT_EQ(s.LuxuryTax[T], 0);
    EXPECT_EQ(s.ProfessionalFee[T], 0);
    EXPECT_FALSE(s.Married);
    EXPECT_EQ(s.LateMonths, 0);
}

class LuxuryTest : public BothEditions {
protected:
    EngineState Cars(int cc, int year, double amount, bool relief = false) const {
        EngineState s;
        E1Intake in;
        in.boxes = {Amount(851, amount), Amount(852, amount / 2), Tick(13, relief)};
        in.assets.cars[0] = {cc, year};
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
        E1Intake in;
        in.boxes = {Amount(711, 1000), Amount(715, 60), Amount(765, 40), Amount(993, c.hidden993), Amount(716, 5)};
        in.assets.boats[0] = {c.length, c.sailing};
        PrepareFromE1(s, in, edition());
        EXPECT_DOUBLE_EQ(s.LuxuryBase13[T], c.base13) << c.length << c.sailing << c.hidden993;
        EXPECT_DOUBLE_EQ(s.LuxuryBase13[S], 5);
        EXPECT_NEAR(s.LuxuryTax13[T], 0.13 * c.base13, 1e-9);
    }
    // The second boat: 713/714 with its own type box.
    EngineState s;
    E1Intake in;
    in.boxes = {Amount(713, 1000), Amount(714, 200)};
    in.assets.boats[1] = {8, false};
    PrepareFromE1(s, in, edition());
    EXPECT_DOUBLE_EQ(s.LuxuryBase13[T], 1000);
    EXPECT_DOUBLE_EQ(s.LuxuryBase13[S], 200);
    in.assets.boats[1].sailing = true;
    PrepareFromE1(s, in, edition());
    EXPECT_EQ(s.LuxuryBase13[T], 0);
}

KESTRANA_BOTH_EDITIONS(LuxuryTest);

}  // namespace
}  // namespace kestrana::test
