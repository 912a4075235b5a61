// How the boxes of the E1 form behave, as rules over codes and names: which
// raise the changed mark, which take the window's keys, which set a
// calculator going. One place for what the window, fast entry and the
// tests read as columns of the form table.
#include <cctype>
#include <initializer_list>
#include <string>
#include <utility>

#include "e1/model/form_builder.h"

namespace kestrana::formlayout {

namespace {

using Ranges = std::initializer_list<std::pair<int, int>>;

bool InRanges(int code, Ranges ranges) {
    for (auto [lo, hi] : ranges)
        if (code >= lo && code <= hi) return true;
    return false;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// "edcaryear3" with base "edcaryear": row 3 of the cars.
bool IsRowOf(const std::string& name, const char* base, int first, int last) {
    if (!StartsWith(name, base)) return false;
    const std::string rest = name.substr(std::char_traits<char>::length(base));
    if (rest.size() != 1 || !std::isdigit(static_cast<unsigned char>(rest[0]))) return false;
    const int row = rest[0] - '0';
    return row >= first && row <= last;
}

bool IsOneOf(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (name == n) return true;
    return false;
}

// Codes whose boxes change without the declaration counting as changed:
// counts of dependants, the hidden large-city codes, lump-sum taxes the
// program works out, the branch and months of the professional fee.
constexpr Ranges kQuietCodes = {{3, 6}, {93, 93}, {95, 95}, {251, 254}, {257, 268},
                                {467, 470}, {475, 476}, {931, 936}};

// Boxes that feed the residence presumption.
constexpr Ranges kResidenceBoxes = {{205, 206}, {208, 208}, {211, 216}, {218, 223}, {225, 236}, {965, 966}};
constexpr Ranges kResidenceTicks = {{92, 92}, {94, 94}, {96, 96}, {203, 205}, {207, 207}, {209, 209},
                                    {240, 242}, {846, 849}};

// Amount boxes whose income category is chosen in a dialog (the tag names
// the hidden box that keeps the choice).
constexpr Ranges kCategoryAmounts = {{351, 352}, {617, 620}, {657, 660}, {683, 684}};

}  // namespace

void AssignBehaviour(std::vector<FormControl>& controls) {
    for (FormControl& c : controls) {
        const std::string name = Lower(c.name);
        const bool box = c.kind == ControlKind::Real || c.kind == ControlKind::Int || c.kind == ControlKind::AFM ||
                         c.kind == ControlKind::Text;
        const bool tick = c.kind == ControlKind::Check;

        c.marksModified = box && !(c.IsCodeBox() && InRanges(c.code, kQuietCodes));
        c.navigationKeys = (box && !IsOneOf(name, {"edaacode", "edp093", "edp095"}) &&
                            !IsRowOf(name, "edcarmeiwsi", 5, 7)) ||
                           (tick && c.page == kSpecialCasesPage);

        // Residences.
        if (name == "edekprot" || (box && c.IsCodeBox() && InRanges(c.code, kResidenceBoxes)))
            c.onLeave = Calculator::Residences;
        if (tick && (c.page == 1 || (c.IsCodeBox() && InRanges(c.code, kResidenceTicks))))
            c.onClick = Calculator::Residences;

        // Cars: the lump-sum rates 201/202 change their age relief too.
        if ((c.IsCodeBox() && (c.code == 201 || c.code == 202)) || IsRowOf(name, "edcarippoi", 1, 7) ||
            IsRowOf(name, "edcarmonths", 1, 7) || IsRowOf(name, "edcarposost", 1, 7) ||
            IsRowOf(name, "edcaryear", 1, 7) || IsRowOf(name, "edcarmeiwsi", 1, 4))
            c.onLeave = Calculator::Cars;
        if (IsRowOf(name, "edcaryear", 1, 7)) c.expandsYear = true;
        if (IsRowOf(name, "edcarmeiwsi", 1, 4)) c.showsCarLegend = true;
        if (IsRowOf(name, "cbcarwhich", 1, 7)) c.onClick = Calculator::Cars;

        // Boats.
        if (IsOneOf(name, {"edscafosmonths", "edscafoslen", "edscafospososto1", "edscafospososto2",
                           "edscafosmonths2", "edscafoslen2", "edscafospososto3", "edscafospososto4"}) ||
            (c.IsCodeBox() && !tick && (c.code == 961 || c.code == 963)))
            c.onLeave = Calculator::Boats;
        if (c.IsCodeBox() && !tick && (c.code == 961 || c.code == 963)) c.expandsYear = true;
        if (IsRowOf(name, "cbboattype", 0, 3)) c.onClick = Calculator::Boats;

        // Pools.
        if (IsOneOf(name, {"eddexamoutmetr", "eddexamposout", "eddexamsposout", "eddexaminmetr", "eddexamposin",
                           "eddexamsposin"}) ||
            (c.IsCodeBox() && !tick && (c.code == 740 || c.code == 749)))
            c.onLeave = Calculator::Pools;

        // Income categories.
        if (c.kind == ControlKind::Real && c.IsCodeBox() && InRanges(c.code, kCategoryAmounts))
            c.onLeave = Calculator::IncomeCategory;
    }
}

}  // namespace kestrana::formlayout
