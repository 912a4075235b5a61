#include <gtest/gtest.h>

#include "e1/calc/income_categories.h"
#include "e1/calc/tax_offices.h"
#include "editions/edition.h"
#include "records/cp1253.h"

namespace kestrana {
namespace {

TEST(IncomeCategories, PagesAndCategoryBoxes) {
    struct Case { int amount, page, category; };
    for (const Case& c : {Case{659, 0, 299}, Case{660, 0, 300}, Case{620, 1, 400},
                          Case{657, 2, 499}, Case{618, 3, 600}, Case{683, 4, 699},
                          Case{351, 5, 799}, Case{352, 5, 800}, Case{301, -1, 0}}) {
        EXPECT_EQ(IncomeCategoryPageForAmount(c.amount), c.page) << c.amount;
        EXPECT_EQ(CategoryCodeForAmount(c.amount), c.category) << c.amount;
    }
}

TEST(IncomeCategories, ListSizesAndSeparatorsPerEdition) {
    const Edition& e19 = Edition2019();
    const Edition& e18 = Edition2018();
    const size_t sizes19[6] = {27, 27, 14, 14, 3, 3};
    const size_t sizes18[6] = {24, 24, 9, 10, 3, 3};
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ(IncomeCategoryList(e19, p).size(), sizes19[p]) << p;
        EXPECT_EQ(IncomeCategoryList(e18, p).size(), sizes18[p]) << p;
    }
    // Separator lines keep their place in the numbering.
    EXPECT_EQ(IncomeCategoryList(e19, 0)[11], std::string(62, '-'));
    EXPECT_EQ(IncomeCategoryList(e19, 0)[12], "Αφορολόγητα κέρδη από ημεδαπά/ΕΕ/ΕΟΧ/ΕΖΕΖ αμοιβαία κεφάλαια");
    EXPECT_EQ(IncomeCategoryList(e19, 3)[6], std::string(60, '-'));
    EXPECT_EQ(IncomeCategoryList(e19, 2)[7], "Εκλογική αποζημίωση (Παρ.1 αρθρ. 108 Π.Δ. 26/2012)");
    EXPECT_EQ(IncomeCategoryList(e19, 0)[17],
              "Πράσινες,  συνδεδεμένες αγροτικές ενισχύσεις μέχρι 12.000 ευρώ αθροιζόμενες");
    EXPECT_EQ(IncomeCategoryList(e18, 0)[6], "Επιδόματα επικίνδυνης εργασίας");
    EXPECT_EQ(IncomeCategoryList(e18, 0)[12], IncomeCategoryList(e19, 0)[12]);
    EXPECT_EQ(IncomeCategoryList(e18, 0)[23], "Λοιπές περιπτώσεις");
    EXPECT_EQ(IncomeCategoryList(e18, 2)[8], "Μερίσματα των εταιρειών της παρ. 5 του άρθρου 45 ν. 4141/2013 ");
    EXPECT_EQ(IncomeCategoryList(e18, 3)[9],
              "Εισοδήματα και επιδόματα (Βουλευτών, Δικαστικών κλπ) αυτοτελώς φορολογούμενα");
    EXPECT_EQ(IncomeCategoryList(e19, 5)[0], "ΝΑΤ");
    EXPECT_TRUE(IncomeCategoryList(e19, 6).empty());
}

TEST(TaxOffices, ParseLines) {
    const std::string bytes = Utf8ToCp1253(
        "Α' ΑΘΗΝΩΝ;1101\r\nΚΑΛΛΙΘΕΑΣ;123456789012345678901234\nNOSEMICOLONLINE_IS_LONGER_THAN_20\r\n;9\r\nΓ;Β;7\n");
    const std::vector<TaxOfficeRow> rows = ParseTaxOffices(bytes);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].description, "Α' ΑΘΗΝΩΝ");
    EXPECT_EQ(rows[0].code, "1101");
    EXPECT_EQ(rows[1].code, "12345678901234567890");
    EXPECT_EQ(rows[2].description, "");
    EXPECT_EQ(rows[2].code, "NOSEMICOLONLINE_IS_L");
    EXPECT_EQ(rows[3].code, "9");
    EXPECT_EQ(rows[4].description, "Γ");  // before the first ";"
    EXPECT_EQ(rows[4].code, "Β;7");
    EXPECT_TRUE(ReadTaxOfficeFile("/nonexistent/Doys.txt").empty());
}

TEST(TaxOffices, SearchKeysByGreekLayout) {
    const std::u32string latin = U"abgdezhuiklmnjoprstyfxcvwABGDEZHUIKLMNJOPRSTYFXCVW";
    const std::u32string greek = U"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΣΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΣ";
    ASSERT_EQ(latin.size(), greek.size());
    for (size_t i = 0; i < latin.size(); ++i) EXPECT_EQ(TaxOfficeSearchKey(latin[i]), greek[i]) << i;
    for (char32_t c : std::u32string(U"ςάέήίόύώ"))
        EXPECT_TRUE(TaxOfficeSearchKey(c) >= U'Α' && TaxOfficeSearchKey(c) <= U'Ω');
    EXPECT_EQ(TaxOfficeSearchKey(U'λ'), U'Λ');
    // Diaeresis is an accent too: the plain capital, which the search takes.
    for (char32_t c : std::u32string(U"ϊΐ")) EXPECT_EQ(TaxOfficeSearchKey(c), U'Ι');
    for (char32_t c : std::u32string(U"ϋΰ")) EXPECT_EQ(TaxOfficeSearchKey(c), U'Υ');
    EXPECT_EQ(TaxOfficeSearchKey(U'5'), U'5');
    EXPECT_EQ(TaxOfficeSearchKey(U'q'), U'q');

    for (char32_t c : std::u32string(U" .09AZqΑΩ")) EXPECT_TRUE(IsTaxOfficeSearchCharacter(c)) << (int)c;
    for (char32_t c : std::u32string(U",;-@ϊ\u4e00")) EXPECT_FALSE(IsTaxOfficeSearchCharacter(c)) << (int)c;
}

}  // namespace
}  // namespace kestrana
