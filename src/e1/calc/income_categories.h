#pragma once
// The income-category lists of the category dialog: one list per pair of
// amount boxes, with the hidden box that keeps the chosen entry number.
#include <string>
#include <vector>

namespace kestrana {

struct Edition;

struct IncomeCategoryPage {
    std::string caption;  // "659-660"
    int amountCodes[2];   // 659, 660
    int categoryCodes[2]; // 299, 300
};

// The six pages in dialog order (page index 0..5).
const std::vector<IncomeCategoryPage>& IncomeCategoryPages();

// Page index whose amount boxes include `amountCode`, or -1.
int IncomeCategoryPageForAmount(int amountCode);
// Hidden category box of an amount box (659 -> 299), or 0.
int CategoryCodeForAmount(int amountCode);

// Entries of page `page` (0..5) for the edition, numbered from 1 in order,
// separator lines included.
const std::vector<std::string>& IncomeCategoryList(const Edition& edition, int page);

}  // namespace kestrana
