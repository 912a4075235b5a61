#include "e1/calc/document_calculators.h"

#include <array>

#include "e1/calc/income_categories.h"
#include "e1/calc/presumption.h"
#include "editions/edition.h"

namespace kestrana {

namespace {

int WholeOf(const E1Document& doc, const std::string& name) { return static_cast<int>(doc.NumberOr0(name)); }
int WholeOfCode(const E1Document& doc, int code) { return static_cast<int>(doc.CodeValue(code)); }

std::vector<CalculatorNotice> Cars(E1Document& doc, const Edition& edition) {
    std::array<CarInput, 7> cars{};
    for (int i = 0; i < 7; ++i) {
        const std::string n = std::to_string(i + 1);
        CarInput& car = cars[i];
        car.capacity = WholeOf(doc, "edCarIppoi" + n);
        car.months = WholeOf(doc, "edCarMonths" + n);
        car.percentage = WholeOf(doc, "edCarPosost" + n);
        car.year = WholeOf(doc, "edCarYear" + n);
        car.mark = doc.Text("edCarMeiwsi" + n);
        car.spouses = doc.Checked("cbCarWhich" + n);
    }
    const CarsResult result = CalculateAuto(cars, edition.year);
    for (int i = 0; i < result.rowsComputed; ++i) {
        doc.SetCodeNumber(851 + 2 * i, result.rows[i].taxpayer);
        doc.SetCodeNumber(852 + 2 * i, result.rows[i].spouse);
    }
    if (result.error.empty()) return {};
    return {{true, result.error}};
}

std::vector<CalculatorNotice> Boats(E1Document& doc, const Edition& edition) {
    auto read = [&doc](const char* len, const char* months, const char* pT, const char* pS, int yearCode,
                       const char* quarters, const char* sailing) {
        BoatInput b;
        b.length = WholeOf(doc, len);
        b.months = WholeOf(doc, months);
        b.taxpayerPercentage = WholeOf(doc, pT);
        b.spousePercentage = WholeOf(doc, pS);
        b.year = WholeOfCode(doc, yearCode);
        b.livingQuarters = doc.Checked(quarters);
        b.sailing = doc.Checked(sailing);
        return b;
    };
    const std::array<BoatInput, 2> boats{
        read("edScafosLen", "edScafosMonths", "edScafosPososto1", "edScafosPososto2", 961, "cbBoatType0",
             "cbBoatType1"),
        read("edScafosLen2", "edScafosMonths2", "edScafosPososto3", "edScafosPososto4", 963, "cbBoatType2",
             "cbBoatType3")};
    // Read straight from its box: the residence calculator may not have run
    // since the declaration was opened.
    const bool residentAbroad = doc.CodeValue(319) != 0;
    const auto result = CalcBoat(boats, edition.year, residentAbroad, doc.CodeValue(993));
    if (!result) return {};
    for (int b = 0; b < 2; ++b) {
        doc.SetCodeNumber(711 + 2 * b, (*result)[b].taxpayer);
        doc.SetCodeNumber(712 + 2 * b, (*result)[b].spouse);
    }
    return {};
}

std::vector<CalculatorNotice> Pools(E1Document& doc) {
    PoolInput p;
    p.outdoorArea = doc.NumberOr0("edDexamOutMetr");
    p.outdoorTaxpayer = doc.NumberOr0("edDexamPosOut");
    p.outdoorSpouse = doc.NumberOr0("edDexamSPosOut");
    p.outdoorMonths = WholeOfCode(doc, 740);
    p.indoorArea = doc.NumberOr0("edDexamInMetr");
    p.indoorTaxpayer = doc.NumberOr0("edDexamPosIn");
    p.indoorSpouse = doc.NumberOr0("edDexamSPosIn");
    p.indoorMonths = WholeOfCode(doc, 749);
    const auto result = CalcPisina(p, doc.CodeValue(994));
    if (!result) return {};
    doc.SetCodeNumber(765, result->taxpayer);
    doc.SetCodeNumber(766, result->spouse);
    return {};
}

std::vector<CalculatorNotice> Residences(E1Document& doc) {
    std::array<ResidenceInput, 3> homes = ReadResidences([&doc](int code) { return doc.CodeValue(code); });
    const ResidencesResult result = CalcIdiokat(homes, doc.CodeValue(992));
    if (result.switchedOff) return {};
    std::vector<CalculatorNotice> notices;
    for (int r = 0; r < 3; ++r) {
        if (!result.percentagesCleared[r]) continue;
        notices.push_back({false, kPercentagesWrongMessage});
        const ResidenceCodes& c = ResidenceCodeTable()[r];
        for (int code : {c.taxpayerPercentage, c.spousePercentage}) doc.SetCodeNumber(code, 0);
    }
    if (!result.error.empty()) {
        notices.push_back({true, result.error});
        return notices;
    }
    for (int r = 0; r < 3; ++r) {
        const ResidenceCodes& c = ResidenceCodeTable()[r];
        doc.SetCodeNumber(c.taxpayerResult, result.rows[r].taxpayer);
        doc.SetCodeNumber(c.spouseResult, result.rows[r].spouse);
    }
    return notices;
}

}  // namespace

std::vector<CalculatorNotice> RunCalculator(Calculator calculator, E1Document& doc, const Edition& edition) {
    switch (calculator) {
        case Calculator::Residences: return Residences(doc);
        case Calculator::Cars: return Cars(doc, edition);
        case Calculator::Boats: return Boats(doc, edition);
        case Calculator::Pools: return Pools(doc);
        case Calculator::IncomeCategory:
        case Calculator::None: break;
    }
    return {};
}

void ExpandYearBox(E1Document& doc, size_t control, const Edition& edition) {
    const std::optional<double> typed = doc.Value(control).number;
    if (!typed) return;
    const int year = static_cast<int>(*typed);
    const int expanded = ExpandTwoDigitYear(year, edition.year);
    if (expanded != year) doc.SetWhole(control, expanded);
}

CategoryChoice BeginCategoryChoice(E1Document& doc, int amountCode) {
    CategoryChoice choice;
    choice.categoryCode = CategoryCodeForAmount(amountCode);
    choice.page = IncomeCategoryPageForAmount(amountCode);
    if (choice.page < 0 || doc.NumericBox(choice.categoryCode) < 0) {
        choice.page = -1;
        return choice;
    }
    if (doc.CodeValue(amountCode) == 0) {
        doc.SetCodeNumber(choice.categoryCode, 0);
        return choice;
    }
    choice.ask = true;
    choice.current = RoundToInt32(doc.CodeValue(choice.categoryCode)).value_or(0);
    return choice;
}

void FinishCategoryChoice(E1Document& doc, const CategoryChoice& choice, int chosen) {
    doc.SetCodeNumber(choice.categoryCode, chosen);
}

}  // namespace kestrana
