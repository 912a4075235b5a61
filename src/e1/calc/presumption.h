#pragma once
// Presumed-expense calculators of the E1 form: residences, cars, boats and
// pools. Plain functions over numbers read from the form; the window reads
// its boxes into these inputs and writes the results back into the code boxes.
#include <array>
#include <optional>
#include <string>

#include "records/amount_text.h"  // RoundToInt32

namespace kestrana {

// Taxpayer and spouse share of one presumption (odd and even result code).
struct PersonPair {
    double taxpayer = 0;
    double spouse = 0;
};

// Years typed with one or two digits. 1..(reference year mod 100) are this
// century, the rest of 1..99 the last one; anything else stays as typed.
int ExpandTwoDigitYear(int year, int referenceYear);

// Age factors by the year of first registration; an empty year (0) gives 0.
double CarAgeFactor(int year, int referenceYear);
double BoatAgeFactor(int year, int referenceYear);


// ---- cars ----------------------------------------------------------------

struct CarInput {
    int capacity = 0;    // cc
    int months = 0;
    int percentage = 0;  // co-ownership, whole percent
    int year = 0;        // first registration
    std::string mark;    // reduction mark, one character ("" counts 0)
    bool spouses = false;
};

// 1250 -> 1200, 1251 -> 1300.
int RoundCapacityToHundreds(int capacity);
double CarBaseAmount(int roundedCapacity);

struct CarsResult {
    std::array<PersonPair, 7> rows{};
    int rowsComputed = 0;  // rows [0, rowsComputed) hold results
    std::string error;     // set when a reduction mark is not a number
};

CarsResult CalculateAuto(const std::array<CarInput, 7>& cars, int referenceYear);

// ---- boats ---------------------------------------------------------------

struct BoatInput {
    int length = 0;  // whole metres
    int months = 0;
    int taxpayerPercentage = 0;
    int spousePercentage = 0;
    int year = 0;               // code 961 / 963
    bool livingQuarters = false;  // cbBoatType0 / cbBoatType2: second scale
    bool sailing = false;         // cbBoatType1 / cbBoatType3: halved
};

double BoatBaseAmount(int length, bool secondScale);
PersonPair CalcBoatRow(const BoatInput& boat, int referenceYear, bool residentAbroad);
// Empty when switch box 993 holds a non-zero value.
std::optional<std::array<PersonPair, 2>> CalcBoat(const std::array<BoatInput, 2>& boats,
                                                   int referenceYear, bool residentAbroad,
                                                   double switch993);

// ---- pools ---------------------------------------------------------------

struct PoolInput {
    double outdoorArea = 0, outdoorTaxpayer = 0, outdoorSpouse = 0;
    int outdoorMonths = 0;  // code 740
    double indoorArea = 0, indoorTaxpayer = 0, indoorSpouse = 0;
    int indoorMonths = 0;  // code 749
};

double OutdoorPoolBase(double area);
double IndoorPoolBase(double area);
// Empty when switch box 994 holds a non-zero value. Results go to 765/766.
std::optional<PersonPair> CalcPisina(const PoolInput& pools, double switch994);

// ---- residences ----------------------------------------------------------

struct ResidenceInput {
    double mainArea = 0;     // 211 / 218 / 225
    double auxArea = 0;      // 212 / 219 / 226
    double taxpayerPercentage = 0;  // 213 / 220 / 227
    double spousePercentage = 0;    // 214 / 221 / 228
    double months = 0;       // 215 / 222 / 229
    double zone = 0;         // 216 / 223 / 230
    double halfArea = 0;     // 231 / 232 / 233, counted at half
    bool detached = false;   // 240 / 241 / 242
};

// Value of a main area plus 40 per m2 of auxiliary area.
double HomeAreaValue(double mainArea, double auxArea);
double ZoneFactor(int zone);

// The codes the residence calculator reads, for residence 0..2.
struct ResidenceCodes {
    int mainArea, auxArea, taxpayerPercentage, spousePercentage, months, zone, halfArea, detached;
    int taxpayerResult, spouseResult;
};
const std::array<ResidenceCodes, 3>& ResidenceCodeTable();

// Reads the three residences through a code -> value lookup (ticks count 1).
template <class CodeLookup>
std::array<ResidenceInput, 3> ReadResidences(CodeLookup&& code) {
    std::array<ResidenceInput, 3> r{};
    for (int i = 0; i < 3; ++i) {
        const ResidenceCodes& c = ResidenceCodeTable()[i];
        r[i] = {code(c.mainArea), code(c.auxArea), code(c.taxpayerPercentage),
                code(c.spousePercentage), code(c.months), code(c.zone), code(c.halfArea),
                code(c.detached) != 0};
    }
    return r;
}

extern const char* const kPercentagesWrongMessage;  // "Τα ποσοστά που βάλατε δεν είναι σωστά"
extern const char* const kRangeErrorMessage;

struct ResidencesResult {
    bool switchedOff = false;                   // 992 non-zero: nothing done at all
    std::array<bool, 3> percentagesCleared{};   // residence r had percentages above 100
    std::array<PersonPair, 3> rows{};           // 115/116, 117/118, 119/120
    std::string error;                          // range error: rows not to be stored
};

// Percentages adding up to more than 100 are cleared in `residences` itself,
// so the caller can show one message per cleared residence and empty its boxes.
ResidencesResult CalcIdiokat(std::array<ResidenceInput, 3>& residences, double switch992);

}  // namespace kestrana
