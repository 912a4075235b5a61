#include "e1/calc/presumption.h"

#include <cfenv>
#include <climits>
#include <cmath>

namespace kestrana {

const char* const kPercentagesWrongMessage = "Τα ποσοστά που βάλατε δεν είναι σωστά";
const char* const kRangeErrorMessage = "Range check error";

int ExpandTwoDigitYear(int year, int referenceYear) {
    // The century window follows the edition, so a car of last year typed
    // as two digits is not taken for one of a hundred years before.
    const int pivot = referenceYear % 100;
    if (year >= 1 && year <= pivot) return 2000 + year;
    if (year >= 1 && year <= 99) return 1900 + year;
    return year;
}

double CarAgeFactor(int year, int referenceYear) {
    if (year == 0) return 0;
    const int age = referenceYear - year;
    if (age >= 1 && age <= 5) return 1;
    if (age >= 6 && age <= 10) return 0.7;
    return 0.5;
}

double BoatAgeFactor(int year, int referenceYear) {
    if (year == 0) return 0;
    const int age = referenceYear - year;
    if (age >= 1 && age <= 5) return 1;
    if (age >= 6 && age <= 10) return 0.85;
    return 0.7;
}

// ---- cars ----------------------------------------------------------------

int RoundCapacityToHundreds(int capacity) {
    const int rest = capacity % 100;
    int rounded = capacity - rest;
    if (rest > 50) rounded += 100;
    return rounded;
}

double CarBaseAmount(int c) {
    const long double cc = c;
    if (c <= 100) return 0;
    if (c <= 1200) return 4000;
    if (c <= 2000) return static_cast<double>(4000 + 600 * (cc - 1200) / 100);
    if (c <= 3000) return static_cast<double>(8800 + 900 * (cc - 2000) / 100);
    return static_cast<double>(17800 + 1200 * (cc - 3000) / 100);
}

// The mark box takes any character; only a whole number is a mark.
static std::optional<int> ParseMark(const std::string& text) {
    if (text.empty()) return 0;
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size()) return std::nullopt;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
        if (v > INT_MAX) return std::nullopt;
    }
    return static_cast<int>(negative ? -v : v);
}

CarsResult CalculateAuto(const std::array<CarInput, 7>& cars, int referenceYear) {
    CarsResult result;
    for (int i = 0; i < 7; ++i) {
        const CarInput& car = cars[i];
        const std::optional<int> mark = ParseMark(car.mark);
        if (!mark) {
            result.error = "'" + car.mark + "' is not a valid integer value";
            return result;
        }
        const long double base = CarBaseAmount(RoundCapacityToHundreds(car.capacity));
        long double presumption =
            base * CarAgeFactor(car.year, referenceYear) * car.months / 12;
        if (*mark >= 1 && *mark <= 3) presumption = 0;
        const double share = static_cast<double>(car.percentage / 100.0L * presumption);
        result.rows[i] = car.spouses ? PersonPair{0, share} : PersonPair{share, 0};
        result.rowsComputed = i + 1;
    }
    return result;
}

// ---- boats ---------------------------------------------------------------

double BoatBaseAmount(int l, bool secondScale) {
    if (!secondScale) return l <= 5 ? 4000 : 4000 + 2000.0 * (l - 5);
    if (l <= 7) return 12000;
    if (l <= 10) return 12000 + 3000.0 * (l - 7);
    if (l <= 12) return 21000 + 7500.0 * (l - 10);
    if (l <= 15) return 36000 + 15000.0 * (l - 12);
    if (l <= 18) return 81000 + 22500.0 * (l - 15);
    if (l <= 22) return 148500 + 30000.0 * (l - 18);
    return 268500 + 50000.0 * (l - 22);
}

PersonPair CalcBoatRow(const BoatInput& boat, int referenceYear, bool residentAbroad) {
    if (residentAbroad) return {};
    long double e = BoatBaseAmount(boat.length, boat.livingQuarters);
    e *= BoatAgeFactor(boat.year, referenceYear);
    if (boat.sailing) e *= 0.5L;
    return {static_cast<double>(boat.taxpayerPercentage / 100.0L * e * boat.months / 12),
            static_cast<double>(e * boat.spousePercentage / 100 * boat.months / 12)};
}

std::optional<std::array<PersonPair, 2>> CalcBoat(const std::array<BoatInput, 2>& boats,
                                                   int referenceYear, bool residentAbroad,
                                                   double switch993) {
    if (switch993 != 0) return std::nullopt;
    return std::array<PersonPair, 2>{CalcBoatRow(boats[0], referenceYear, residentAbroad),
                                     CalcBoatRow(boats[1], referenceYear, residentAbroad)};
}

// ---- pools ---------------------------------------------------------------

double OutdoorPoolBase(double a) { return a <= 60 ? 160 * a : 9600 + 320 * (a - 60); }
double IndoorPoolBase(double a) { return a <= 60 ? 320 * a : 19200 + 640 * (a - 60); }

std::optional<PersonPair> CalcPisina(const PoolInput& p, double switch994) {
    if (switch994 != 0) return std::nullopt;
    const long double out = OutdoorPoolBase(p.outdoorArea);
    const long double in = IndoorPoolBase(p.indoorArea);
    auto side = [&](long double outPct, long double inPct) {
        return static_cast<double>(p.outdoorMonths * (outPct * out / 100) / 12 +
                                   p.indoorMonths * (inPct * in / 100) / 12);
    };
    return PersonPair{side(p.outdoorTaxpayer, p.indoorTaxpayer),
                      side(p.outdoorSpouse, p.indoorSpouse)};
}

// ---- residences ----------------------------------------------------------

double HomeAreaValue(double m, double aux) {
    long double v;
    if (m <= 80) v = 40.0L * m;
    else if (m <= 120) v = 3200 + 65.0L * (m - 80);
    else if (m <= 200) v = 5800 + 110.0L * (m - 120);
    else if (m <= 300) v = 14600 + 200.0L * (m - 200);
    else v = 34600 + 400.0L * (m - 300);
    return static_cast<double>(v + 40.0L * aux);
}

double ZoneFactor(int z) {
    if (z < 2800) return 1;
    if (z < 5000) return 1.4;
    return 1.7;
}

const std::array<ResidenceCodes, 3>& ResidenceCodeTable() {
    static const std::array<ResidenceCodes, 3> table{{
        {211, 212, 213, 214, 215, 216, 231, 240, 115, 116},
        {218, 219, 220, 221, 222, 223, 232, 241, 117, 118},
        {225, 226, 227, 228, 229, 230, 233, 242, 119, 120},
    }};
    return table;
}

ResidencesResult CalcIdiokat(std::array<ResidenceInput, 3>& residences, double switch992) {
    ResidencesResult result;
    if (switch992 != 0) {
        result.switchedOff = true;
        return result;
    }
    for (int r = 0; r < 3; ++r) {
        ResidenceInput& home = residences[r];
        if (home.taxpayerPercentage + home.spousePercentage > 100) {
            home.taxpayerPercentage = 0;
            home.spousePercentage = 0;
            result.percentagesCleared[r] = true;
        }
    }
    for (int r = 0; r < 3; ++r) {
        const ResidenceInput& home = residences[r];
        const long double h = r == 0 ? 1.0L : 0.5L;
        const std::optional<int> zone = RoundToInt32(home.zone);
        const std::optional<int> months = RoundToInt32(home.months);
        if (!zone || !months) {
            result.error = kRangeErrorMessage;
            result.rows = {};
            return result;
        }
        const long double z = ZoneFactor(*zone);
        const long double f = home.detached ? 1.2L : 1.0L;
        const long double mv = HomeAreaValue(home.mainArea, 0);
        const long double av = HomeAreaValue(0, home.auxArea);
        long double half = 0;
        if (home.mainArea > 0) half = h * mv * z * f / 12 * (home.halfArea / home.mainArea);
        const long double monthly = (mv + av) * h * z * f / 12 - half / 2;
        result.rows[r] = {static_cast<double>(*months * monthly * home.taxpayerPercentage / 100),
                          static_cast<double>(*months * monthly * home.spousePercentage / 100)};
    }
    return result;
}

}  // namespace kestrana
