#pragma once
// The presumed-expense calculators run over an E1 document: each reads the
// boxes it needs, writes its results into the code boxes, and hands back
// what the user must be told. The window decides when they run (the form
// table says which box sets which calculator going) and shows the notices.
#include <string>
#include <vector>

#include "e1/model/e1_document.h"

namespace kestrana {

struct Edition;

struct CalculatorNotice {
    bool error = false;  // an error box rather than a message
    std::string text;
    bool operator==(const CalculatorNotice&) const = default;
};

// Residences, cars, boats or pools over the document; IncomeCategory and
// None do nothing here (the category needs the user's choice).
std::vector<CalculatorNotice> RunCalculator(Calculator calculator, E1Document& document, const Edition& edition);

// A year typed with one or two digits in box `control` becomes the full year.
void ExpandYearBox(E1Document& document, size_t control, const Edition& edition);

// The income-category hook of an amount box: the hidden category box the
// box's tag names, the dialog page, and the category now chosen (0 none).
struct CategoryChoice {
    int categoryCode = 0;
    int page = -1;       // -1: the box has no category list
    bool ask = false;    // false: the amount is empty or 0, the category is cleared
    int current = 0;
};
// Clears the category box at once when the amount is 0 or empty.
CategoryChoice BeginCategoryChoice(E1Document& document, int amountCode);
// The user's choice (entry number from 1) into the category box.
void FinishCategoryChoice(E1Document& document, const CategoryChoice& choice, int chosen);

}  // namespace kestrana
