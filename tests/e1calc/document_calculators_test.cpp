// The calculators over an E1 document: what they read, what they write,
// what they have the window say.
#include <gtest/gtest.h>

#include "e1/calc/document_calculators.h"
#include "e1/calc/presumption.h"
#include "editions/edition.h"

namespace kestrana {
namespace {

struct Doc {
    explicit Doc(const Edition& e = Edition2019()) : edition(e), d(E1FormModel(e)) {}
    void Set(const char* name, double v) { d.SetNumber(name, v); }
    void Set(std::initializer_list<std::pair<const char*, double>> boxes) {
        for (const auto& [name, v] : boxes) d.SetNumber(name, v);
    }
    const Edition& edition;
    E1Document d;
};

TEST(DocumentCalculators, CarsWriteTheirRowsAndReportABadMark) {
    Doc x;
    x.Set({{"edCarIppoi1", 1250}, {"edCarMonths1", 12}, {"edCarPosost1", 100}, {"edCarYear1", 2016}});
    EXPECT_TRUE(RunCalculator(Calculator::Cars, x.d, x.edition).empty());
    EXPECT_EQ(x.d.Number("edP851"), 4000);
    EXPECT_EQ(x.d.Number("edP852"), std::nullopt);
    x.d.SetChecked("cbCarWhich1", true);  // the spouse's car
    RunCalculator(Calculator::Cars, x.d, x.edition);
    EXPECT_EQ(x.d.Number("edP851"), std::nullopt);
    EXPECT_EQ(x.d.Number("edP852"), 4000);
    x.d.SetText("edCarMeiwsi1", "x");
    EXPECT_EQ(RunCalculator(Calculator::Cars, x.d, x.edition),
              (std::vector<CalculatorNotice>{{true, "'x' is not a valid integer value"}}));
}

TEST(DocumentCalculators, ResidencesClearWrongPercentagesAndObeyTheSwitch) {
    Doc x;
    x.Set({{"edP211", 100}, {"edP215", 12}, {"edP216", 3000}, {"edP213", 100}});
    EXPECT_TRUE(RunCalculator(Calculator::Residences, x.d, x.edition).empty());
    EXPECT_EQ(x.d.Number("edP115"), 6300);
    x.d.SetChecked("cbP240", true);  // detached house: +20 %
    RunCalculator(Calculator::Residences, x.d, x.edition);
    EXPECT_EQ(x.d.Number("edP115"), 7560);

    x.Set("edP220", 60);
    x.Set("edP221", 50);
    EXPECT_EQ(RunCalculator(Calculator::Residences, x.d, x.edition),
              (std::vector<CalculatorNotice>{{false, kPercentagesWrongMessage}}));
    EXPECT_EQ(x.d.Number("edP220"), std::nullopt);
    EXPECT_EQ(x.d.Number("edP221"), std::nullopt);

    x.Set("edP992", 1);  // switched off: typed results stay
    x.Set("edP115", 123);
    RunCalculator(Calculator::Residences, x.d, x.edition);
    EXPECT_EQ(x.d.Number("edP115"), 123);
}

TEST(DocumentCalculators, BoatsAndPoolsWithTheirSwitches) {
    Doc x;
    x.Set({{"edScafosLen", 6}, {"edScafosMonths", 12}, {"edScafosPososto1", 100}, {"edP961", 2012}});
    x.d.SetChecked("cbBoatType0", true);
    RunCalculator(Calculator::Boats, x.d, x.edition);
    EXPECT_EQ(x.d.Number("edP711"), 10200);
    x.d.SetChecked("cbP319", true);  // resident abroad: no boat presumption
    RunCalculator(Calculator::Boats, x.d, x.edition);
    EXPECT_EQ(x.d.Number("edP711"), std::nullopt);

    x.Set({{"edDexamOutMetr", 70}, {"edDexamPosOut", 100}, {"edP740", 12}});
    RunCalculator(Calculator::Pools, x.d, x.edition);
    EXPECT_EQ(x.d.Number("edP765"), 12800);
    x.Set("edP994", 1);
    x.Set("edDexamOutMetr", 140);
    RunCalculator(Calculator::Pools, x.d, x.edition);
    EXPECT_EQ(x.d.Number("edP765"), 12800);
}

TEST(DocumentCalculators, YearsAndIncomeCategories) {
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        Doc x(*e);
        const size_t year = static_cast<size_t>(x.d.IndexOf("edCarYear1"));
        x.d.SetNumber(year, 15);
        ExpandYearBox(x.d, year, *e);
        EXPECT_EQ(x.d.Value(year).number, 2015);
        x.d.SetNumber(year, 95);
        ExpandYearBox(x.d, year, *e);
        EXPECT_EQ(x.d.Value(year).number, 1995);
    }
    Doc x;
    x.Set("edP799", 2);
    // An empty amount clears its category at once.
    CategoryChoice c = BeginCategoryChoice(x.d, 351);
    EXPECT_FALSE(c.ask);
    EXPECT_EQ(x.d.Number("edP799"), std::nullopt);
    x.Set("edP351", 1000);
    x.Set("edP799", 3);
    c = BeginCategoryChoice(x.d, 351);
    ASSERT_TRUE(c.ask);
    EXPECT_EQ(c.categoryCode, 799);
    EXPECT_EQ(c.current, 3);
    FinishCategoryChoice(x.d, c, 2);
    EXPECT_EQ(x.d.Number("edP799"), 2);
    EXPECT_EQ(BeginCategoryChoice(x.d, 301).page, -1);
}

}  // namespace
}  // namespace kestrana
