#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "e1/model/form_model.h"
#include "editions/edition.h"

namespace kestrana {
namespace {

// "301-304, 307" -> {301, 302, 303, 304, 307}
std::vector<int> Codes(const std::string& list) {
    std::vector<int> out;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        int a = 0, b = 0;
        if (std::sscanf(item.c_str(), " %d-%d", &a, &b) == 2) {
            for (int c = a; c <= b; ++c) out.push_back(c);
        } else if (std::sscanf(item.c_str(), " %d", &a) == 1) {
            out.push_back(a);
        }
    }
    return out;
}

// The code boxes of the window, page by page: (page, kind, visible, codes).
struct CodeGroup {
    int page;
    ControlKind kind;
    bool visible;
    const char* codes;
};
const CodeGroup kCodeBoxes2019[] = {
    {1, ControlKind::Real, true,
     "301-304, 307-312, 315, 316, 321, 322, 325, 326, 333, 334, 343, 344, 347-352, 389-396, 651, 652"},
    {1, ControlKind::Int, true, "005, 006"},
    {1, ControlKind::Check, true,
     "001, 002, 007-018, 021-025, 029, 030, 037, 038, 319, 320, 327-331, 385, 386, 889, 890, 905, 906, 913, 914, "
     "971-974"},
    {1, ControlKind::Real, false, "799, 800"},
    {2, ControlKind::Real, true,
     "101-114, 129, 130, 141-148, 251-268, 291-298, 401-404, 409-416, 425-428, 461-470, 475, 476, 515-518, 601, 602, "
     "605-608, 611, 612, 653, 654, 667-684"},
    {2, ControlKind::Int, true, "201, 202"},
    {2, ControlKind::Real, false, "699, 700, 802"},
    {3, ControlKind::Real, true,
     "115-122, 125, 126, 131-134, 149, 150, 159, 160, 163-166, 171, 172, 175, 176, 216, 223, 230, 655, 656, 707, 708, "
     "711-716, 719-728, 731, 732, 735, 736, 741-744, 759, 760, 765, 766, 769, 770, 829, 830, 851-868, 871, 872"},
    {3, ControlKind::Int, true,
     "205, 206, 208, 211-215, 218-222, 225-229, 231-233, 740, 749, 961-963, 965, 966"},
    {3, ControlKind::Check, true, "203-205, 207, 209, 240-242"},
    {3, ControlKind::Int, false, "234, 235, 236"},
    {3, ControlKind::Real, false, "992, 993, 994"},
    {4, ControlKind::Real, true,
     "031, 032, 049, 050, 055-062, 075-078, 305, 306, 335, 336, 419-422, 429-436, 613, 614, 617-620, 657-664, "
     "781-784, 787, 788, 811-817, 819, 821, 823, 901, 902, 995, 996"},
    {4, ControlKind::Int, true, "003, 004, 097-099"},
    {4, ControlKind::Check, true, "092, 094, 096, 846-849"},
    {4, ControlKind::Real, false, "299, 300, 399, 400, 499, 500, 599, 600, 806, 998"},
    {5, ControlKind::Int, true, "931-936"},
    {5, ControlKind::Check, true, "777, 778, 887, 888"},
    {5, ControlKind::Real, false, "093, 095"},
};

using Key = std::tuple<int, int, ControlKind, bool>;  // code, page, kind, visible

std::multiset<Key> Expected(bool edition2018) {
    std::multiset<Key> out;
    for (const CodeGroup& g : kCodeBoxes2019)
        for (int code : Codes(g.codes)) out.insert({code, g.page, g.kind, g.visible});
    if (edition2018) {
        for (int code : {435, 436}) out.erase(out.find({code, 4, ControlKind::Real, true}));
        for (int code : {607, 608}) out.erase(out.find({code, 2, ControlKind::Real, true}));
        for (int code : {145, 146}) {
            out.erase(out.find({code, 2, ControlKind::Real, true}));
            out.insert({code, 3, ControlKind::Real, true});
        }
        for (int code : {26, 33, 34, 35, 36}) out.insert({code, 1, ControlKind::Check, true});
        for (int code : {313, 314, 345, 346}) out.insert({code, 1, ControlKind::Real, true});
    }
    return out;
}

std::multiset<Key> Actual(const FormModel& m) {
    std::multiset<Key> out;
    for (const FormControl* c : m.ListCodeControls()) out.insert({c->code, c->page, c->kind, c->visible});
    return out;
}

class BothEditions : public ::testing::TestWithParam<int> {
protected:
    const Edition& edition() const { return EditionForYear(GetParam()); }
    const FormModel& model() const { return E1FormModel(edition()); }
};

TEST_P(BothEditions, CodeBoxesMatchThePageTable) {
    const bool edition2018 = GetParam() == 2018;
    const auto expected = Expected(edition2018);
    const auto actual = Actual(model());
    std::vector<Key> missing, extra;
    std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(), std::back_inserter(missing));
    std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    for (const Key& k : missing) ADD_FAILURE() << "missing code " << std::get<0>(k) << " page " << std::get<1>(k);
    for (const Key& k : extra) ADD_FAILURE() << "unexpected code " << std::get<0>(k) << " page " << std::get<1>(k);

    std::map<ControlKind, int> byKind;
    for (const FormControl* c : model().ListCodeControls()) ++byKind[c->kind];
    if (edition2018) {
        EXPECT_EQ(model().ListCodeControls().size(), 429u);
        EXPECT_EQ(byKind[ControlKind::Real], 317);
        EXPECT_EQ(byKind[ControlKind::Check], 66);
    } else {
        EXPECT_EQ(model().ListCodeControls().size(), 424u);
        EXPECT_EQ(byKind[ControlKind::Real], 317);
        EXPECT_EQ(byKind[ControlKind::Check], 61);
    }
    EXPECT_EQ(byKind[ControlKind::Int], 46);
}

TEST_P(BothEditions, CodeBoxNamesFollowTheirCode) {
    for (const FormControl* c : model().ListCodeControls()) {
        std::string expected = CodeBoxName(c->code, c->kind == ControlKind::Check);
        if (c->code == 93 || c->code == 95) expected = c->code == 93 ? "edp093" : "edp095";
        EXPECT_EQ(c->name, expected);
        EXPECT_EQ(CodeOfBoxName(c->name), c->code);
    }
    // Code 205 is borne by a tick box and a whole-number box.
    auto both = model().FindCode(205);
    ASSERT_EQ(both.size(), 2u);
    std::set<std::string> names{both[0]->name, both[1]->name};
    EXPECT_EQ(names, (std::set<std::string>{"cbP205", "edP205"}));
    EXPECT_TRUE(model().FindCode(0).empty());
    EXPECT_TRUE(model().FindCode(500 + 500).empty());
}

TEST_P(BothEditions, NamesAreUniqueWithoutRegardToCase) {
    std::set<std::string> seen;
    for (const FormControl& c : model().Controls()) {
        std::string upper = c.name;
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_TRUE(seen.insert(upper).second) << c.name;
        EXPECT_FALSE(c.name.empty());
    }
}

TEST_P(BothEditions, LookupByNameIgnoresCase) {
    const FormModel& m = model();
    ASSERT_NE(m.Find("EDP301"), nullptr);
    EXPECT_EQ(m.Find("EDP301")->name, "edP301");
    EXPECT_EQ(m.Find("edP093"), m.Find("edp093"));
    EXPECT_EQ(m.Find("edp093")->code, 93);
    EXPECT_EQ(m.Find("edbigname")->name, "edBigName");
    EXPECT_EQ(m.Find("edP999"), nullptr);
    EXPECT_EQ(m.IndexOf("nothing"), -1);
    EXPECT_EQ(&m.Controls()[m.IndexOf("EDAFM")], m.Find("edAFM"));
}

// Every window field of the declaration record, with its kind and typing limit.
struct FieldCase {
    std::string name;
    ControlKind kind;
    int page;
    int maxLength;  // -1: not checked
};

std::vector<FieldCase> RecordFields() {
    using K = ControlKind;
    std::vector<FieldCase> f = {
        {"edAACode", K::Int, 1, -1},      {"edAFM", K::AFM, 1, 12},          {"edBigName", K::Text, 1, 40},
        {"edName", K::Text, 1, 40},       {"edPhone", K::Text, 1, 10},       {"edDoy", K::Text, 1, 30},
        {"edEkprot", K::Int, 1, -1},      {"edFatherName", K::Text, 1, 15},  {"edTaytNum", K::Text, 1, 10},
        {"edAdress", K::Text, 1, 50},     {"edSyzBigName", K::Text, 1, 25},  {"edSyzName", K::Text, 1, 15},
        {"edSyzFatherName", K::Text, 1, 15}, {"edSyzTaytNum", K::Text, 1, 10}, {"edSyzJobAdr", K::Text, 1, 50},
        {"edSyzPhone", K::Text, 1, 15},   {"edEkprosopos", K::Text, 1, 80},  {"edSyzAFM", K::AFM, 1, 12},
        {"edEkprosAFM", K::AFM, 1, 12},   {"edDOYTK", K::Text, 1, 6},        {"edAMKA", K::Text, 1, 15},
        {"edSyzAMKA", K::Text, 1, 15},    {"cbMarried", K::Check, 1, -1},    {"cbExairesiF", K::Check, 1, -1},
        {"cbExairesiS", K::Check, 1, -1}, {"edParoxi", K::Text, 3, 15},      {"edScafosCountry", K::Text, 3, 15},
        {"edScafosCountry2", K::Text, 3, 15},
        {"edCompany8aName", K::Text, 4, 20}, {"edCompany8aDiax", K::Text, 4, 20}, {"edCompany8aDOY", K::Text, 4, 20},
        {"edCompany8bName", K::Text, 4, 20}, {"edCompName9", K::Text, 4, 25}, {"edCompAFM9", K::Text, 4, -1},
        {"edCompEpifania9", K::Real, 4, -1},
        {"edAeroPlaneName", K::Text, 3, 40}, {"edAeroPlaneTipos", K::Text, 3, 20}, {"edAeroPlaneNum", K::Text, 3, 40},
        {"edAeroPlaneLimani", K::Text, 3, 20}, {"edAeroPlaneKoroi", K::Int, 3, -1},
        {"edAeroPlaneMonths", K::Int, 3, -1},
        {"edDexamOutMetr", K::Real, 3, -1}, {"edDexamInMetr", K::Real, 3, -1}, {"edDexamPosOut", K::Real, 3, -1},
        {"edDexamSPosOut", K::Real, 3, -1}, {"edDexamPosIn", K::Real, 3, -1}, {"edDexamSPosIn", K::Real, 3, -1},
        {"edTrapezaName", K::Text, 4, 20}, {"edTrapezaCode", K::Text, 4, 3}, {"edIBAN", K::Text, 4, 25},
        {"edCompany8AFM1", K::AFM, 4, 10}, {"edCompany8AFM2", K::AFM, 4, 10}, {"edCompany8AFM3", K::AFM, 4, 10},
        {"edCompany12cAFM", K::AFM, 4, 10},
        {"cbTelos400F", K::Check, 5, -1}, {"cbTelos400S", K::Check, 5, -1},
        {"cbTelos500F", K::Check, 5, -1}, {"cbTelos500S", K::Check, 5, -1},
    };
    for (int i = 1; i <= 7; ++i) {
        const std::string n = std::to_string(i);
        f.push_back({"edEnoikioName" + n, K::Text, 4, 30});
        f.push_back({"ed80" + n, K::Text, 4, 10});
        f.push_back({"edEnoikioEpif" + n, K::Real, i <= 3 ? 4 : 3, -1});
        f.push_back({"edCarName" + n, K::AFM, 3, 10});
        f.push_back({"edCarNumber" + n, K::Text, 3, 10});
        f.push_back({"edCarIppoi" + n, K::Int, 3, -1});
        f.push_back({"edCarMonths" + n, K::Int, 3, -1});
        f.push_back({"edCarPosost" + n, K::Int, 3, -1});
        f.push_back({"edCarYear" + n, K::Int, 3, -1});
        f.push_back({"cbCarWhich" + n, K::Check, 3, -1});
        f.push_back({"edCarMeiwsi" + n, K::Text, 3, 1});
    }
    for (int i = 1; i <= 3; ++i) {
        f.push_back({"edPlace" + std::to_string(i), K::Text, 3, 255});
        f.push_back({"edThesi" + std::to_string(i), K::Text, 3, 5});
    }
    for (int i = 1; i <= 4; ++i) {
        const std::string n = std::to_string(i);
        f.push_back({"edP2Name" + n, K::Text, 4, 15});
        f.push_back({"edP2Year" + n, K::Text, 4, 4});
        f.push_back({"edP2School" + n, K::Text, 4, 15});
        f.push_back({"edP2BigName" + n, K::Text, 4, 20});
        f.push_back({"edP2Ypox" + n, K::Text, 4, 10});
        f.push_back({"edP2Syz" + n, K::Text, 4, 10});
        f.push_back({"edP2AFM" + n, K::AFM, 4, 10});
    }
    for (const char* suffix : {"", "2"}) {
        const std::string s = suffix;
        f.push_back({"edScafosName" + s, K::Text, 3, 40});
        f.push_back({"edScafosLimani" + s, K::Text, 3, 40});
        f.push_back({"edScafosLen" + s, K::Int, 3, -1});
        f.push_back({"edScafosMonths" + s, K::Int, 3, -1});
    }
    for (int i = 1; i <= 4; ++i) f.push_back({"edScafosPososto" + std::to_string(i), K::Int, 3, -1});
    for (int i = 0; i <= 3; ++i) f.push_back({"cbBoatType" + std::to_string(i), K::Check, 3, -1});
    return f;
}

TEST_P(BothEditions, EveryRecordFieldIsAControl) {
    for (const FieldCase& f : RecordFields()) {
        const FormControl* c = model().Find(f.name);
        ASSERT_NE(c, nullptr) << f.name;
        EXPECT_EQ(c->name, f.name);  // exact spelling
        EXPECT_EQ(c->kind, f.kind) << f.name;
        EXPECT_EQ(c->page, f.page) << f.name;
        if (f.maxLength >= 0) {
            EXPECT_EQ(c->maxLength, f.maxLength) << f.name;
        }
        EXPECT_EQ(c->code, 0) << f.name;
    }
    // The area boxes of rent rows 4-7 are kept but not shown.
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(model().Find("edEnoikioEpif" + std::to_string(i))->visible, i <= 3) << i;
    const FormControl* reg = model().Find("edAACode");
    EXPECT_TRUE(reg->readOnly);
    EXPECT_FALSE(reg->enabled);
    EXPECT_EQ(model().Find("sbDOY")->hint, "Κατάλογος Δ.Ο.Υ.");
    EXPECT_EQ(model().Find("btPrintAuto")->caption, "Εκτύπωση Κατάστασης");
    EXPECT_EQ(model().Find("Button1")->caption, "Πίνακας Ίππων - K.E.");
    EXPECT_FALSE(model().Find("imAutoType")->visible);
    EXPECT_EQ(model().Find("cbMarried")->caption, "Έγγαμος/ΜΣΣ");
}

TEST_P(BothEditions, CaptionsHintsAndTags) {
    const FormModel& m = model();
    struct { const char* name; const char* caption; } captions[] = {
        {"cbP021", "NAI"}, {"cbP022", "NAI"}, {"cbP037", "NAI"}, {"cbP038", "NAI"}, {"cbP889", "NAI"},
        {"cbP890", "NAI"}, {"cbExairesiF", "NAI"}, {"cbExairesiS", "NAI"},
        {"cbP971", "Πριοδικά καταβαλλόμενο"}, {"cbP972", "Πριοδικά καταβαλλόμενο"},
        {"cbP973", "Πρόωρη εξαγορά "}, {"cbP974", "Πρόωρη εξαγορά "},
        {"cbP203", "NAI"}, {"cbP204", "Παραχ."}, {"cbP205", "Παραχ."}, {"cbP207", "Μίσθωση"}, {"cbP209", "Μίσθωση"},
        {"cbP777", "ΝΑΙ"}, {"cbP778", "ΝΑΙ"}, {"cbP887", "ΝΑΙ"}, {"cbP888", "ΝΑΙ"}, {"cbTelos500F", "ΝΑΙ"},
        {"cbTelos400S", "ΝΑΙ"}, {"cbP846", "ΝΑΙ"}, {"cbP849", "ΝΑΙ"},
    };
    for (const auto& c : captions) EXPECT_EQ(m.Find(c.name)->caption, c.caption) << c.name;
    // Latin "NAI" on the form pages, Greek "ΝΑΙ" on the special-cases page.
    EXPECT_NE(m.Find("cbP021")->caption, m.Find("cbP777")->caption);

    const std::string lump =
        "Το ποσό του κωδικού αυτού αν δεν έχει επιλεγεί κανένα από τα παραπάνω υπολογίζεται ως  εφάπαξ καταβαλλόμενο";
    EXPECT_EQ(m.Find("edP395")->hint, lump);
    EXPECT_EQ(m.Find("edP396")->hint, lump);
    for (const char* n : {"edP231", "edP232", "edP233"})
        EXPECT_EQ(m.Find(n)->hint,
                  "Η επιφάνεια που συμπληρώνεται σε αυτόν τον κωδικό πρέπει να συμπεριλαμβάνεται και στον "
                  "αντίστοιχο κωδικό επιφάνειας κύριων χώρων");

    // Category hook: each amount carries the code of its hidden category box.
    std::map<int, int> category = {{351, 799}, {352, 800}, {617, 599}, {618, 600}, {619, 399}, {620, 400},
                                   {657, 499}, {658, 500}, {659, 299}, {660, 300}, {683, 699}, {684, 700}};
    for (auto [code, box] : category) {
        EXPECT_EQ(m.Find(CodeBoxName(code))->tag, box) << code;
        EXPECT_FALSE(m.Find(CodeBoxName(box))->visible) << box;
    }
    // Rows of repeated boxes carry their row number.
    for (int i = 1; i <= 7; ++i) {
        for (std::string base : {"edEnoikioName", "ed80", "edEnoikioEpif"})
            EXPECT_EQ(m.Find(base + std::to_string(i))->tag, i) << base << i;
    }
    for (int i = 1; i <= 4; ++i) {
        for (std::string base : {"edP2Name", "edP2Year", "edP2School", "edP2BigName", "edP2AFM", "edP2Ypox", "edP2Syz"})
            EXPECT_EQ(m.Find(base + std::to_string(i))->tag, i) << base << i;
    }
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(m.Find("edPlace" + std::to_string(i))->tag, i);
    // Car rows carry their row number, results included.
    for (int i = 1; i <= 7; ++i) {
        for (std::string base : {"edCarName", "edCarMeiwsi", "edCarNumber", "edCarIppoi", "edCarMonths",
                                 "edCarPosost", "edCarYear", "cbCarWhich"})
            EXPECT_EQ(m.Find(base + std::to_string(i))->tag, i) << base << i;
        EXPECT_EQ(m.Find(CodeBoxName(849 + 2 * i))->tag, i);
        EXPECT_EQ(m.Find(CodeBoxName(850 + 2 * i))->tag, i);
    }
}

TEST_P(BothEditions, ControlsFitTheirPageWithoutOverlap) {
    const FormModel& m = model();
    for (int page = 1; page <= kFormPageCount; ++page) {
        auto controls = m.ControlsOfPage(page);
        ASSERT_FALSE(controls.empty());
        for (const FormControl* c : controls) {
            EXPECT_GE(c->rect.x, 0) << c->name;
            EXPECT_GE(c->rect.y, 0) << c->name;
            EXPECT_LE(c->rect.Right(), kFormPageWidth) << c->name;
            EXPECT_LE(c->rect.Bottom(), kFormPageHeight) << c->name;
            EXPECT_GE(c->rect.h, 18) << c->name;
            if (c->kind == ControlKind::Real && c->visible && c->code >= 300 && c->page != 3) {
                EXPECT_GE(c->rect.w, 90) << c->name;
            }
        }
        for (size_t i = 0; i < controls.size(); ++i)
            for (size_t j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(controls[i]->rect.Intersects(controls[j]->rect))
                    << controls[i]->name << " overlaps " << controls[j]->name;
    }
}

TEST_P(BothEditions, PrintedTextFitsThePageAndClearsTheBoxes) {
    const FormModel& m = model();
    for (const FormLabel& l : m.Labels()) {
        EXPECT_GE(l.page, 1);
        EXPECT_LE(l.page, kFormPageCount);
        EXPECT_GE(l.rect.x, 0) << l.text;
        EXPECT_LE(l.rect.Right(), kFormPageWidth) << l.text;
        EXPECT_LE(l.rect.Bottom(), kFormPageHeight) << l.text;
        EXPECT_FALSE(l.text.empty());
        for (const FormControl* c : m.ControlsOfPage(l.page)) {
            if (c->visible) {
                EXPECT_FALSE(l.rect.Intersects(c->rect)) << "'" << l.text << "' under " << c->name;
            }
        }
    }
    // Printed texts do not run into one another.
    for (int page = 1; page <= kFormPageCount; ++page) {
        auto labels = m.LabelsOfPage(page);
        for (size_t i = 0; i < labels.size(); ++i)
            for (size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i]->rect.Intersects(labels[j]->rect))
                    << "'" << labels[i]->text << "' and '" << labels[j]->text << "' on page " << page;
    }
    // Every visible code box has its number printed beside it (889/890 checked below).
    for (const FormControl* c : m.ListCodeControls()) {
        if (!c->visible || c->code == 889 || c->code == 890) continue;
        char digits[8];
        std::snprintf(digits, sizeof digits, "%03d", c->code);
        bool found = false;
        for (const FormLabel* l : m.LabelsOfPage(c->page))
            found |= l->style == LabelStyle::CodeNumber && l->text == digits && l->rect.Right() <= c->rect.x &&
                     l->rect.Right() >= c->rect.x - 4 && l->rect.y == c->rect.y;
        EXPECT_TRUE(found) << c->name;
    }
    // Page 1 prints the form's own numbers 019/020 and 027/028 beside these boxes.
    auto printedBeside = [&](const char* name) {
        const FormControl* c = m.Find(name);
        for (const FormLabel* l : m.LabelsOfPage(c->page))
            if (l->style == LabelStyle::CodeNumber && l->rect.y == c->rect.y && l->rect.Right() <= c->rect.x &&
                l->rect.Right() >= c->rect.x - 4)
                return l->text;
        return std::string();
    };
    EXPECT_EQ(printedBeside("cbP889"), "019");
    EXPECT_EQ(printedBeside("cbP890"), "020");
    EXPECT_EQ(printedBeside("cbExairesiF"), "027");
    EXPECT_EQ(printedBeside("cbExairesiS"), "028");
}

TEST_P(BothEditions, ComponentOrder) {
    const FormModel& m = model();
    // Page by page.
    int lastPage = 0;
    for (const FormControl& c : m.Controls()) {
        EXPECT_GE(c.page, lastPage) << c.name;
        lastPage = c.page;
    }
    // The taxpayer's box comes right before the spouse's where both stand on one row.
    for (const FormControl* c : m.ListCodeControls()) {
        if (c->code % 2 == 0 || !c->visible || c->page == 3) continue;
        auto spouse = m.FindCode(c->code + 1);
        if (spouse.size() != 1 || spouse[0]->rect.y != c->rect.y) continue;
        EXPECT_EQ(m.IndexOf(spouse[0]->name), m.IndexOf(c->name) + 1) << c->name;
    }
    // Special-cases page in the order of its questions.
    std::vector<std::string> special;
    for (const FormControl* c : m.ControlsOfPage(kSpecialCasesPage)) special.push_back(c->name);
    EXPECT_EQ(special, (std::vector<std::string>{"cbP777", "cbP778", "cbTelos500F", "cbTelos500S", "cbTelos400F",
                                                 "cbTelos400S", "cbP887", "cbP888", "edP931", "edP932", "edP935",
                                                 "edP936", "edP933", "edP934", "edp093", "edp095"}));
    // Page 1 tick boxes in the order the form asks them.
    std::vector<int> ticks;
    for (const FormControl* c : m.ControlsOfPage(1))
        if (c->kind == ControlKind::Check && c->code && c->code < 900 && c->code % 2 == 1 && c->code != 33 &&
            c->code != 35)
            ticks.push_back(c->code);
    std::vector<int> asked = {25, 327, 319, 15, 23, 329, 331, 13, 17, 889, 21, 37, 385, 29, 11, 7, 1, 9};
    EXPECT_EQ(ticks, asked);
    // A car row: its boxes left to right, the spouse tick between the two results.
    int at = m.IndexOf("edCarName3");
    std::vector<std::string> row;
    for (int i = 0; i < 10; ++i) row.push_back(m.Controls()[at + i].name);
    EXPECT_EQ(row, (std::vector<std::string>{"edCarName3", "edCarMeiwsi3", "edCarNumber3", "edCarIppoi3",
                                             "edCarMonths3", "edCarPosost3", "edCarYear3", "edP855", "cbCarWhich3",
                                             "edP856"}));
}

INSTANTIATE_TEST_SUITE_P(Editions, BothEditions, ::testing::Values(2019, 2018),
                         [](const auto& info) { return "Edition" + std::to_string(info.param); });

// What each box does besides holding a value, as the window and fast entry
// read it from the table.
TEST_P(BothEditions, BehaviourColumns) {
    using C = Calculator;
    struct Case {
        const char* name;
        bool marksModified, navigationKeys;
        Calculator onLeave, onClick;
        bool expandsYear = false, legend = false;
    };
    const Case cases[] = {
        {"edP301", true, true, C::None, C::None},
        {"edP251", false, true, C::None, C::None},   // a lump-sum tax the program works out
        {"edP931", false, true, C::None, C::None},
        {"edP003", false, true, C::None, C::None},
        {"edDoy", true, true, C::None, C::None},
        {"edAACode", true, false, C::None, C::None},
        {"edp093", false, false, C::None, C::None},
        {"cbP327", false, false, C::None, C::Residences},  // every page-1 tick
        {"cbMarried", false, false, C::None, C::Residences},
        {"cbP240", false, false, C::None, C::Residences},
        {"cbTelos500F", false, true, C::None, C::None},      // special-cases ticks take the keys
        {"edEkprot", true, true, C::Residences, C::None},
        {"edP213", true, true, C::Residences, C::None},
        {"edP205", true, true, C::Residences, C::None},
        {"edP201", true, true, C::Cars, C::None},
        {"edCarYear3", true, true, C::Cars, C::None, true},
        {"edCarMeiwsi1", true, true, C::Cars, C::None, false, true},
        {"edCarMeiwsi5", true, false, C::None, C::None},
        {"cbCarWhich2", false, false, C::None, C::Cars},
        {"edP961", true, true, C::Boats, C::None, true},
        {"edScafosLen2", true, true, C::Boats, C::None},
        {"cbBoatType2", false, false, C::None, C::Boats},
        {"edP740", true, true, C::Pools, C::None},
        {"edDexamSPosIn", true, true, C::Pools, C::None},
        {"edP351", true, true, C::IncomeCategory, C::None},
        {"edP684", true, true, C::IncomeCategory, C::None},
    };
    for (const Case& c : cases) {
        const FormControl* f = model().Find(c.name);
        ASSERT_NE(f, nullptr) << c.name;
        EXPECT_EQ(f->marksModified, c.marksModified) << c.name;
        EXPECT_EQ(f->navigationKeys, c.navigationKeys) << c.name;
        EXPECT_EQ(f->onLeave, c.onLeave) << c.name;
        EXPECT_EQ(f->onClick, c.onClick) << c.name;
        EXPECT_EQ(f->expandsYear, c.expandsYear) << c.name;
        EXPECT_EQ(f->showsCarLegend, c.legend) << c.name;
    }
    // No tick box ever marks the declaration changed by itself.
    for (const FormControl& f : model().Controls())
        if (f.kind == ControlKind::Check) EXPECT_FALSE(f.marksModified) << f.name;
}

TEST_P(BothEditions, FindCodeTakesTheTextAsTyped) {
    EXPECT_EQ(FindCodeControl(model(), "301")->name, "edP301");
    EXPECT_EQ(FindCodeControl(model(), "327")->name, "cbP327");
    EXPECT_EQ(FindCodeControl(model(), "205")->name, "edP205");  // the amount or whole box first
    EXPECT_EQ(FindCodeControl(model(), "931")->page, kSpecialCasesPage);
    for (const char* typed : {"", "31", " 301", "0301", "999", "093", "abc"})
        EXPECT_EQ(FindCodeControl(model(), typed), nullptr) << typed;
}

TEST(FormModelEditions, Edition2018Differences) {
    const FormModel& m19 = E1FormModel(Edition2019());
    const FormModel& m18 = E1FormModel(Edition2018());
    for (const char* n : {"cbP026", "cbP033", "cbP034", "cbP035", "cbP036", "edP313", "edP314", "edP345", "edP346"}) {
        EXPECT_EQ(m19.Find(n), nullptr) << n;
        ASSERT_NE(m18.Find(n), nullptr) << n;
        EXPECT_EQ(m18.Find(n)->page, 1) << n;
    }
    for (const char* n : {"edP435", "edP436", "edP607", "edP608"}) {
        EXPECT_NE(m19.Find(n), nullptr) << n;
        EXPECT_EQ(m18.Find(n), nullptr) << n;
    }
    EXPECT_EQ(m19.Find("edP145")->page, 2);
    EXPECT_EQ(m18.Find("edP146")->page, 3);
    // The model is built once per edition.
    EXPECT_EQ(&E1FormModel(Edition2019()), &m19);
}

TEST(FormModelNames, CodeBoxNames) {
    EXPECT_EQ(CodeBoxName(5), "edP005");
    EXPECT_EQ(CodeBoxName(327, true), "cbP327");
    struct { const char* name; int code; } cases[] = {
        {"edP301", 301}, {"edp093", 93}, {"CBP205", 205}, {"edP30", 0}, {"edP30x", 0},
        {"edBigName", 0}, {"lbP301", 0}, {"edP3011", 0}, {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(CodeOfBoxName(c.name), c.code) << c.name;
    EXPECT_EQ(FormPageCaption(1), "Σελίδα 1");
    EXPECT_EQ(FormPageCaption(4), "Σελίδα 4");
    EXPECT_EQ(FormPageCaption(5), "Ειδικές Περιπτώσεις");
}

}  // namespace
}  // namespace kestrana
