// Fast entry as plain code: opening, what a save and a clearance take from
// the rows and ticks, and the document its clearance reads.
#include <gtest/gtest.h>

#include "e1/model/e1_document_io.h"
#include "e1/model/fast_entry.h"
#include "editions/edition.h"
#include "records/errors.h"

namespace kestrana {
namespace {

TEST(FastEntryModel, OpeningSortsTheTableAndSplitsTicksFromRows) {
    E1Record r;
    r.SetCode(0, 301, 20000);
    r.SetCode(1, 11, 1);     // a box of fast entry: ticked
    r.SetCode(3, 115, 500);  // entry 2 stays empty
    r.SetCode(4, 37, 1);     // a tick of the E1 window only: a row of 1,00
    r.SetCode(5, 205, 15234);  // 205's postal code is a row, its tick a tick
    r.SetCode(6, 205, 1);
    const FastEntryView view = OpenFastEntry(r);
    EXPECT_EQ(view.ticked, (std::vector<int>{11, 205}));
    EXPECT_EQ(view.rows, (std::vector<FastEntryRow>{
                             {"037", "1,00"}, {"115", "500,00"}, {"205", "15.234,00"}, {"301", "20.000,00"}}));
    // Sorted in place; the empty entry keeps its place.
    EXPECT_EQ(r.GetCode(0).code, 11);
    EXPECT_EQ(r.GetCode(1).code, 37);
    EXPECT_EQ(r.GetCode(2).code, 0);
    EXPECT_EQ(r.GetCode(3).code, 115);
}

TEST(FastEntryModel, SaveTakesTicksFirstThenFullRows) {
    const FastEntryCodes c = FastEntryCodesForSave({327, 11}, {{"301", "20.000,50"}, {"115", ""}, {"", "5"}, {"37", "1"}});
    ASSERT_EQ(c.error, "");
    EXPECT_EQ(c.entries, (std::vector<CodeEntry>{{327, 1}, {11, 1}, {301, 20000.5}, {37, 1}}));

    struct Case {
        FastEntryRow row;
        std::string error;
    } cases[] = {
        {{"-", "1"}, "'-' is not a valid integer value"},
        {{"12a", "1"}, "'12a' is not a valid integer value"},
        {{"0", "1"}, RangeError("0", "Κωδικός").what()},
        {{"1001", "1"}, RangeError("1001", "Κωδικός").what()},
        {{"301", "1,2,3"}, "'1,2,3' is not a valid floating point value"},
        {{"301", "-"}, "'-' is not a valid floating point value"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(FastEntryCodesForSave({}, {k.row}).error, k.error) << k.row.code << " " << k.row.amount;
    std::vector<FastEntryRow> many;
    for (int code = 1; code <= 151; ++code) many.push_back({std::to_string(code), "1"});
    EXPECT_EQ(FastEntryCodesForSave({}, many).error, "Range check error");
}

TEST(FastEntryModel, ClearanceCapsCode067AndChecksEveryCode) {
    std::vector<FastEntryRow> rows = {{"301", "20.000,50"}, {"067", "5.000"}, {"068", "2999"}, {"115", ""},
                                      {"", "99"},           {" 0 ", "3"}};
    const FastEntryCodes c = FastEntryCodesForClearance({617}, rows);
    ASSERT_EQ(c.error, "");
    EXPECT_EQ(c.entries, (std::vector<CodeEntry>{{617, 1}, {301, 20000.5}, {67, 3000}, {68, 2999}, {0, 3}}));
    EXPECT_EQ(rows[1].amount, "3000");
    EXPECT_EQ(rows[2].amount, "2999");
    for (FastEntryRow bad : std::vector<FastEntryRow>{{"-", ""}, {"1001", ""}, {"301", "1,2,3"}}) {
        std::vector<FastEntryRow> one = {bad};
        EXPECT_NE(FastEntryCodesForClearance({}, one).error, "") << bad.code;
    }
}

TEST(FastEntryModel, TheRecordKeepsWhatFastEntryDoesNotShow) {
    E1Record opened;
    opened.SetText("edAFM", "123456789");
    opened.SetText("edName", "ΓΙΩΡΓΟΣ");
    opened.SetRegistrationNumber(42);
    opened.SetInt("edEkprot", 2);
    opened.SetCode(0, 301, 1);
    const E1Record saved = FastEntryRecord(opened, {"987654321", "ΝΕΟ", true}, {{327, 1}, {115, 500}});
    EXPECT_EQ(saved.TaxNumber(), "987654321");
    EXPECT_EQ(saved.GetText("edBigName"), "ΝΕΟ");
    EXPECT_TRUE(saved.GetBool("cbMarried"));
    EXPECT_EQ(saved.GetText("edName"), "ΓΙΩΡΓΟΣ");
    EXPECT_EQ(saved.RegistrationNumber(), 42);
    EXPECT_EQ(saved.GetInt("edEkprot"), 2);
    EXPECT_EQ(saved.UsedCodes(), (std::vector<CodeEntry>{{327, 1}, {115, 500}}));
}

// The clearance reads the declaration as the E1 window would hold it: fee
// flags, cars and boats of the opened file, its own codes, ticks as 1.
TEST(FastEntryModel, TheClearanceDocumentIsTheDeclarationWithTheseCodes) {
    for (const Edition* edition : {&Edition2019(), &Edition2018()}) {
        E1Record opened;
        opened.SetBool("cbExairesiF", true);
        opened.SetInt("edCarIppoi1", 2600);
        opened.SetInt("edCarYear1", 2012);
        opened.SetCode(0, 301, 99);  // replaced by the rows
        E1Document d(E1FormModel(*edition));
        FastEntryDocument(opened, {"123456789", "ΠΑΠΑΣ", true},
                          {{617, 1}, {19, 1}, {93, 1}, {851, 4000}, {201, 2.5}}, d);
        EXPECT_EQ(d.Text("edAFM"), "123456789");
        EXPECT_TRUE(d.Checked("cbMarried"));
        EXPECT_EQ(d.Number("edP301"), std::nullopt);
        EXPECT_EQ(d.Number("edP617"), 1);  // a tick of fast entry, an amount box of the window
        EXPECT_EQ(d.Number("edP201"), 2);
        EXPECT_TRUE(d.Checked("cbTelos500F"));
        EXPECT_EQ(d.extraCodes, (std::vector<CodeEntry>{{19, 1}}));
        const E1Intake in = IntakeOf(d);
        EXPECT_EQ(in.feeExempt, (PersonFlags{true, false}));
        EXPECT_EQ(in.feeLargeCity, (PersonFlags{true, false}));
        EXPECT_EQ(in.assets.cars[0].capacity, 2600);
    }
}

TEST(FastEntryModel, TickBoxes) {
    for (int code : {327, 328, 329, 19, 20, 27, 28, 617, 911, 912, 203, 207, 204, 209, 205, 240, 241, 242})
        EXPECT_TRUE(FastEntryHasTick(code)) << code;
    for (int code : {0, -1, 30, 37, 301, 206}) EXPECT_FALSE(FastEntryHasTick(code)) << code;
}

}  // namespace
}  // namespace kestrana
