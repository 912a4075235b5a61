#include <gtest/gtest.h>

#include "e1/calc/presumption.h"

namespace kestrana {
namespace {

constexpr int R = 2019;

CarInput Car(int cc, int year, int months = 12, int pct = 100, std::string mark = "") {
    CarInput c;
    c.capacity = cc;
    c.year = year;
    c.months = months;
    c.percentage = pct;
    c.mark = std::move(mark);
    return c;
}

TEST(TwoDigitYears, ExpandByTheEditionsCentury) {
    struct Case { int typed, reference, expected; };
    for (const Case& c : {Case{8, 2019, 2008}, Case{95, 2019, 1995}, Case{100, 2019, 100},
                          Case{0, 2019, 0}, Case{10, 2019, 2010}, Case{15, 2019, 2015},
                          Case{19, 2019, 2019}, Case{20, 2019, 1920}, Case{19, 2018, 1919},
                          Case{18, 2018, 2018}, Case{2012, 2019, 2012}, Case{-5, 2019, -5}})
        EXPECT_EQ(ExpandTwoDigitYear(c.typed, c.reference), c.expected) << c.typed << " in " << c.reference;
}

TEST(AgeFactors, ByYearsBeforeTheReferenceYear) {
    struct Case { int year; double car, boat; };
    for (const Case& c : {Case{0, 0, 0}, Case{2018, 1, 1}, Case{2014, 1, 1}, Case{2013, 0.7, 0.85},
                          Case{2009, 0.7, 0.85}, Case{2008, 0.5, 0.7}, Case{2019, 0.5, 0.7},
                          Case{2025, 0.5, 0.7}}) {
        EXPECT_EQ(CarAgeFactor(c.year, R), c.car) << c.year;
        EXPECT_EQ(BoatAgeFactor(c.year, R), c.boat) << c.year;
    }
    EXPECT_EQ(CarAgeFactor(2018, 2018), 0.5);  // edition 2018: its own reference year
}

TEST(Cars, CapacityRoundingAndBaseScale) {
    EXPECT_EQ(RoundCapacityToHundreds(1250), 1200);
    EXPECT_EQ(RoundCapacityToHundreds(1251), 1300);
    struct Case { int cc; double base; };
    for (const Case& c : {Case{100, 0}, Case{101, 4000}, Case{1200, 4000}, Case{1300, 4600},
                          Case{2000, 8800}, Case{2100, 9700}, Case{3000, 17800}, Case{3100, 19000}})
        EXPECT_DOUBLE_EQ(CarBaseAmount(c.cc), c.base) << c.cc;
}

TEST(Cars, CalculateAutoRows) {
    std::array<CarInput, 7> cars{};
    cars[0] = Car(1250, 2016);              // base 4000, factor 1
    cars[1] = Car(1251, 2016);              // 1300: 4600
    cars[2] = Car(2000, 0);                 // no year: nothing
    cars[3] = Car(1600, 2019);              // factor 0.5: 6400 x 0.5
    cars[4] = Car(1600, 2012, 6, 50);       // 6400 x 0.7 x 6/12 x 50%
    cars[4].spouses = true;
    cars[5] = Car(1600, 2016, 12, 100, "2");  // reduction mark 1..3 clears it
    cars[6] = Car(1600, 2016, 12, 100, "4");  // other marks do not
    const CarsResult r = CalculateAuto(cars, R);
    ASSERT_EQ(r.rowsComputed, 7);
    EXPECT_TRUE(r.error.empty());
    EXPECT_DOUBLE_EQ(r.rows[0].taxpayer, 4000);
    EXPECT_DOUBLE_EQ(r.rows[1].taxpayer, 4600);
    EXPECT_EQ(r.rows[2].taxpayer, 0);
    EXPECT_DOUBLE_EQ(r.rows[3].taxpayer, 3200);
    EXPECT_EQ(r.rows[4].taxpayer, 0);
    EXPECT_NEAR(r.rows[4].spouse, 1120, 1e-9);
    EXPECT_EQ(r.rows[5].taxpayer, 0);
    EXPECT_DOUBLE_EQ(r.rows[6].taxpayer, 6400);
}

TEST(Cars, MarkThatIsNotANumberStopsAtThatCar) {
    std::array<CarInput, 7> cars{};
    cars[0] = Car(1250, 2016);
    cars[1] = Car(1250, 2016, 12, 100, "x");
    cars[2] = Car(1250, 2016);
    const CarsResult r = CalculateAuto(cars, R);
    EXPECT_EQ(r.rowsComputed, 1);
    EXPECT_EQ(r.error, "'x' is not a valid integer value");
    EXPECT_DOUBLE_EQ(r.rows[0].taxpayer, 4000);
}

TEST(Boats, Scales) {
    struct Case { int len; bool second; double base; };
    for (const Case& c : {Case{5, false, 4000}, Case{6, false, 6000}, Case{0, false, 4000},
                          Case{7, true, 12000}, Case{8, true, 15000}, Case{10, true, 21000},
                          Case{11, true, 28500}, Case{13, true, 51000}, Case{16, true, 103500},
                          Case{19, true, 178500}, Case{22, true, 268500}, Case{23, true, 318500}})
        EXPECT_DOUBLE_EQ(BoatBaseAmount(c.len, c.second), c.base) << c.len << " " << c.second;
}

TEST(Boats, RowsSwitchAndResidentAbroad) {
    BoatInput six;
    six.length = 6;
    six.months = 12;
    six.taxpayerPercentage = 100;
    six.year = 2012;
    six.livingQuarters = true;
    auto r = CalcBoat({six, six}, R, false, 0);
    ASSERT_TRUE(r);
    EXPECT_NEAR((*r)[0].taxpayer, 10200, 1e-9);  // 12000 x 0.85
    EXPECT_NEAR((*r)[1].taxpayer, 10200, 1e-9);

    // Both rows treat the sailing box alike: first scale, halved.
    BoatInput sailing = six;
    sailing.livingQuarters = false;
    sailing.sailing = true;
    sailing.taxpayerPercentage = 50;
    sailing.spousePercentage = 50;
    sailing.months = 6;
    r = CalcBoat({sailing, sailing}, R, false, 0);
    ASSERT_TRUE(r);
    for (const PersonPair& p : *r) {
        EXPECT_NEAR(p.taxpayer, 6000 * 0.85 * 0.5 * 0.5 * 0.5, 1e-9);
        EXPECT_NEAR(p.spouse, p.taxpayer, 1e-9);
    }

    r = CalcBoat({six, six}, R, true, 0);
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0].taxpayer, 0);
    EXPECT_FALSE(CalcBoat({six, six}, R, false, 1));
}

TEST(Pools, OutdoorIndoorAndSwitch) {
    EXPECT_DOUBLE_EQ(OutdoorPoolBase(60), 9600);
    EXPECT_DOUBLE_EQ(IndoorPoolBase(70), 25600);
    PoolInput p;
    p.outdoorArea = 70;
    p.outdoorTaxpayer = 100;
    p.outdoorMonths = 12;
    auto r = CalcPisina(p, 0);
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->taxpayer, 12800, 1e-9);
    EXPECT_EQ(r->spouse, 0);
    p.indoorArea = 30;
    p.indoorSpouse = 50;
    p.indoorMonths = 6;
    r = CalcPisina(p, 0);
    EXPECT_NEAR(r->spouse, 9600 * 0.5 * 0.5, 1e-9);
    EXPECT_FALSE(CalcPisina(p, 2));
}

TEST(Residences, AreaValueAndZoneFactor) {
    struct Case { double main, aux, value; };
    for (const Case& c : {Case{80, 0, 3200}, Case{100, 0, 4500}, Case{120, 0, 5800},
                          Case{200, 0, 14600}, Case{300, 0, 34600}, Case{310, 0, 38600},
                          Case{0, 10, 400}, Case{80, 10, 3600}})
        EXPECT_DOUBLE_EQ(HomeAreaValue(c.main, c.aux), c.value) << c.main;
    EXPECT_EQ(ZoneFactor(2799), 1);
    EXPECT_EQ(ZoneFactor(2800), 1.4);
    EXPECT_EQ(ZoneFactor(4999), 1.4);
    EXPECT_EQ(ZoneFactor(5000), 1.7);
    EXPECT_EQ(RoundToInt32(2799.5), 2800);
    EXPECT_EQ(RoundToInt32(2800.5), 2800);
    EXPECT_FALSE(RoundToInt32(3e9));
}

ResidenceInput Home(double main, double zone, double months, double pT, double pS = 0) {
    ResidenceInput h;
    h.mainArea = main;
    h.zone = zone;
    h.months = months;
    h.taxpayerPercentage = pT;
    h.spousePercentage = pS;
    return h;
}

TEST(Residences, MainSecondaryDetachedAndHalfArea) {
    std::array<ResidenceInput, 3> homes{Home(100, 3000, 12, 100), Home(100, 3000, 12, 50, 50),
                                        Home(100, 1000, 6, 100)};
    homes[2].detached = true;
    homes[2].auxArea = 20;
    ResidencesResult r = CalcIdiokat(homes, 0);
    ASSERT_TRUE(r.error.empty());
    EXPECT_NEAR(r.rows[0].taxpayer, 6300, 1e-9);  // (3200 + 65 x 20) x 1.4
    EXPECT_NEAR(r.rows[1].taxpayer, 6300 * 0.5 * 0.5, 1e-9);
    EXPECT_NEAR(r.rows[1].spouse, 6300 * 0.5 * 0.5, 1e-9);
    EXPECT_NEAR(r.rows[2].taxpayer, (4500 + 800) * 0.5 * 1.2 / 2, 1e-9);

    // 40 of the 100 m2 counted at half: D = 4500 x 1.4 / 12 x 0.4
    std::array<ResidenceInput, 3> half{Home(100, 3000, 12, 100), {}, {}};
    half[0].halfArea = 40;
    r = CalcIdiokat(half, 0);
    EXPECT_NEAR(r.rows[0].taxpayer, 12 * (4500 * 1.4 / 12 - 4500 * 1.4 / 12 * 0.4 / 2), 1e-9);
}

TEST(Residences, PercentagesAboveHundredAreClearedPerResidence) {
    std::array<ResidenceInput, 3> homes{Home(100, 3000, 12, 60, 50), Home(100, 3000, 12, 50, 50),
                                        Home(100, 3000, 12, 101)};
    const ResidencesResult r = CalcIdiokat(homes, 0);
    EXPECT_EQ(r.percentagesCleared, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(homes[0].taxpayerPercentage, 0);
    EXPECT_EQ(homes[0].spousePercentage, 0);
    EXPECT_EQ(r.rows[0].taxpayer, 0);
    EXPECT_GT(r.rows[1].taxpayer, 0);
}

TEST(Residences, SwitchAndRangeError) {
    std::array<ResidenceInput, 3> homes{Home(100, 3000, 12, 60, 50), {}, {}};
    ResidencesResult r = CalcIdiokat(homes, 1);
    EXPECT_TRUE(r.switchedOff);
    EXPECT_EQ(homes[0].taxpayerPercentage, 60);  // untouched
    homes = {Home(100, 3000, 12, 100), Home(100, 5e9, 12, 100), {}};
    r = CalcIdiokat(homes, 0);
    EXPECT_EQ(r.error, kRangeErrorMessage);
    EXPECT_EQ(r.rows[0].taxpayer, 0);
}

}  // namespace
}  // namespace kestrana
