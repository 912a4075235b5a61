// The E1 document and what it means to the record, the engine and the
// statement, without any window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e1/model/e1_document.h"
#include "e1/model/e1_document_io.h"
#include "editions/edition.h"
#include "records/e1_record.h"

namespace kestrana {
namespace {

class Document : public ::testing::TestWithParam<int> {
protected:
    const Edition& edition() const { return EditionForYear(GetParam()); }
    E1Document Empty() const { return E1Document(E1FormModel(edition())); }
    static size_t At(const E1Document& d, const char* name) {
        const int i = d.IndexOf(name);
        EXPECT_GE(i, 0) << name;
        return static_cast<size_t>(std::max(i, 0));
    }
};

// A value for every box the window saves: texts at their typing limit in
// Greek, whole numbers and amounts that fit their fields, every tick on, the
// code boxes until the table is full.
E1Document Filled(const Edition& edition) {
    E1Document d(E1FormModel(edition));
    int codes = 2;  // 093 and 095 follow their ticks
    for (size_t i = 0; i < d.Size(); ++i) {
        const FormControl& c = d.Control(i);
        if (c.name == "edAACode" || c.code == 93 || c.code == 95) continue;
        if (c.IsCodeBox() && c.kind != ControlKind::Check) {
            if (codes >= E1Record::kCodeCount - 2) continue;
            ++codes;
        }
        switch (c.kind) {
            case ControlKind::Text:
            case ControlKind::AFM: {
                std::string text;
                for (int k = 0; k < std::min(c.maxLength, 9); ++k) text += k % 2 ? "Ω" : "α";
                d.SetText(i, text);
                break;
            }
            case ControlKind::Int: d.SetNumber(i, 2 + static_cast<double>(i % 200)); break;
            case ControlKind::Real: d.SetNumber(i, 1000.25 + static_cast<double>(i)); break;
            case ControlKind::Check:
                if (c.IsCodeBox()) {
                    if (codes >= E1Record::kCodeCount) continue;
                    ++codes;
                }
                d.SetChecked(i, true);
                break;
            default: break;
        }
    }
    return d;
}

TEST_P(Document, SavedReadAndSavedAgainIsTheSameBytes) {
    const E1Document first = Filled(edition());
    E1Record record;
    record.SetRegistrationNumber(321);
    const RecordOutcome saved = DocumentToRecord(first, record);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_FALSE(saved.tooManyCodes);
    EXPECT_EQ(record.RegistrationNumber(), 321);
    EXPECT_EQ(record.UsedCodes().size(), 150u);

    E1Document second = Empty();
    DocumentFromRecord(record, second);
    EXPECT_EQ(second.NumberOr0("edAACode"), 321);
    E1Record again;
    again.SetRegistrationNumber(321);
    ASSERT_TRUE(DocumentToRecord(second, again).ok);
    EXPECT_EQ(again.Bytes(), record.Bytes());
    // Every box shows again what was saved.
    for (size_t i = 0; i < first.Size(); ++i) {
        const FormControl& c = first.Control(i);
        if (c.name == "edAACode" || c.code == 93 || c.code == 95) continue;
        EXPECT_EQ(second.Value(i), first.Value(i)) << c.name;
    }
}

TEST_P(Document, CodeEntriesFollowTheBoxes) {
    E1Document d = Empty();
    d.SetNumber(At(d, "edP301"), 20000);
    d.SetNumber(At(d, "edP302"), 0);             // 0,00 shown: stored
    d.SetNumber(At(d, "edP303"), std::nullopt);  // empty: not stored
    d.SetChecked(At(d, "cbP327"), true);
    d.SetNumber(At(d, "edP205"), 15234);         // postal code, then the tick, both 205
    d.SetChecked(At(d, "cbP205"), true);
    d.SetChecked(At(d, "cbTelos500F"), true);    // travels as 093 = 1
    d.SetNumber(At(d, "edp095"), 7);             // the hidden box follows its tick, not its own value
    E1Record r;
    ASSERT_TRUE(DocumentToRecord(d, r).ok);
    const std::vector<CodeEntry> codes = r.UsedCodes();
    auto count = [&codes](int code, double value) {
        return std::count(codes.begin(), codes.end(), CodeEntry{static_cast<int16_t>(code), value});
    };
    EXPECT_EQ(count(301, 20000), 1);
    EXPECT_EQ(count(302, 0), 1);
    EXPECT_EQ(count(327, 1), 1);
    EXPECT_EQ(count(205, 15234), 1);
    EXPECT_EQ(count(205, 1), 1);
    EXPECT_EQ(count(93, 1), 1);
    EXPECT_EQ(codes.size(), 6u);
    // A tick box is stored as 1: bytes 81 00 00 00 00 00.
    const auto it = std::find(codes.begin(), codes.end(), CodeEntry{327, 1});
    const size_t k = static_cast<size_t>(it - codes.begin());
    const uint8_t* entry = r.Data() + E1Record::kCodeTableOffset + 8 * k;
    EXPECT_EQ(std::vector<uint8_t>(entry + 2, entry + 8), (std::vector<uint8_t>{0x81, 0, 0, 0, 0, 0}));

    // Read back: the postal code to its box, the tick to its own, 093 ticks.
    E1Document back = Empty();
    DocumentFromRecord(r, back);
    EXPECT_EQ(back.Number("edP205"), 15234);
    EXPECT_TRUE(back.Checked("cbP205"));
    EXPECT_EQ(back.Number("edP302"), 0);
    EXPECT_EQ(back.Number("edP303"), std::nullopt);
    EXPECT_TRUE(back.Checked("cbTelos500F"));
    EXPECT_FALSE(back.Checked("cbTelos500S"));
}

TEST_P(Document, MoreThan150CodesKeepTheFirstInComponentOrder) {
    E1Document d = Empty();
    std::vector<int> order;
    for (size_t i = 0; i < d.Size() && order.size() < 151; ++i) {
        const FormControl& c = d.Control(i);
        if (c.kind != ControlKind::Real || !c.IsCodeBox() || !c.visible) continue;
        d.SetNumber(i, c.code);
        order.push_back(c.code);
    }
    E1Record r;
    const RecordOutcome out = DocumentToRecord(d, r);
    ASSERT_TRUE(out.ok);
    EXPECT_TRUE(out.tooManyCodes);
    const std::vector<CodeEntry> codes = r.UsedCodes();
    ASSERT_EQ(codes.size(), 150u);
    EXPECT_EQ(codes.front().code, order.front());
    EXPECT_EQ(codes.back().code, order[149]);
}

TEST_P(Document, AValueThatDoesNotFitLeavesTheRecordAsItWas) {
    E1Document d = Empty();
    d.SetText(At(d, "edAFM"), "123456789");
    d.SetNumber(At(d, "edEkprot"), 300);  // a byte
    E1Record r;
    r.SetText("edBigName", "ΠΡΙΝ");
    const RecordOutcome out = DocumentToRecord(d, r);
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(out.error.empty());
    EXPECT_EQ(r.GetText("edBigName"), "ΠΡΙΝ");
    EXPECT_EQ(r.TaxNumber(), "");
}

TEST_P(Document, TextsAreCutToTheBoxThenToTheField) {
    E1Document d = Empty();
    const std::string longName(45, 'A');
    d.SetText(At(d, "edBigName"), longName);
    EXPECT_EQ(d.Text("edBigName"), std::string(40, 'A'));  // the box takes 40
    d.SetText(At(d, "edEnoikioName1"), std::string(30, 'B'));
    EXPECT_EQ(d.Text("edEnoikioName1").size(), 30u);  // the box takes 30, the field 25
    d.SetText(At(d, "edName"), "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥ");  // 45 Greek letters
    EXPECT_EQ(d.Text("edName"), "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠ");
    E1Record r;
    ASSERT_TRUE(DocumentToRecord(d, r).ok);
    EXPECT_EQ(r.GetText("edEnoikioName1"), std::string(25, 'B'));
    EXPECT_EQ(r.GetText("edBigName"), std::string(40, 'A'));
}

TEST_P(Document, ReadingARecord) {
    E1Record r;
    r.SetRegistrationNumber(0);
    r.SetInt("edCarIppoi1", 0);     // table numbers show only when positive
    r.SetInt("edCarIppoi2", -5);
    r.SetInt("edCarIppoi3", 1250);
    r.SetReal("edDexamOutMetr", 70.125);  // an area shows two decimals
    r.SetText("cbCarWhich1", "*");
    const size_t which2 = E1Record::Field("cbCarWhich2").offset;  // only "*" ticks
    r.Data()[which2] = 1;
    r.Data()[which2 + 1] = 'x';
    r.SetBool("cbExairesiS", true);
    r.SetCode(0, 313, 500);         // a box of edition 2018 only
    r.SetCode(1, 327, 5);           // a tick box ticks at any value but 0
    r.SetCode(2, 201, 2.5);         // a whole-number box rounds half to even
    r.SetCode(3, 3, 3e12);          // beyond a whole-number box: left out
    r.SetCode(4, 301, 0.01);        // stored with six-byte noise, held as 0.01
    r.SetCode(5, 205, 17121);       // a postal code alone does not tick 205
    r.SetCode(6, 93, 1);
    r.SetCode(7, 95, 2);            // neither 1 nor 0: its tick stays as it is
    ASSERT_NE(r.GetCode(4).value, 0.01);
    E1Document d = Empty();
    d.SetChecked(At(d, "cbMarried"), true);  // cleared first
    DocumentFromRecord(r, d);
    struct Number {
        const char* box;
        std::optional<double> shown;
    } numbers[] = {
        {"edAACode", std::nullopt}, {"edCarIppoi1", std::nullopt}, {"edCarIppoi2", std::nullopt},
        {"edCarIppoi3", 1250},      {"edDexamOutMetr", 70.13},     {"edP201", 2},
        {"edP003", std::nullopt},   {"edP301", 0.01},              {"edP205", 17121},
    };
    for (const Number& n : numbers) EXPECT_EQ(d.Number(n.box), n.shown) << n.box;
    struct Tick {
        const char* box;
        bool ticked;
    } ticks[] = {{"cbMarried", false},   {"cbCarWhich1", true},  {"cbCarWhich2", false},
                 {"cbExairesiS", true},  {"cbP327", true},       {"cbP205", false},
                 {"cbTelos500F", true},  {"cbTelos500S", false}};
    for (const Tick& t : ticks) EXPECT_EQ(d.Checked(t.box), t.ticked) << t.box;
    if (GetParam() == 2019) {
        EXPECT_TRUE(d.extraCodes.empty());  // the window drops what it has no box for
        E1Document kept = Empty();
        DocumentFromRecord(r, kept, true);
        EXPECT_EQ(kept.extraCodes, (std::vector<CodeEntry>{{313, 500}}));
    } else {
        EXPECT_EQ(d.Number("edP313"), 500);
    }
}

TEST_P(Document, IntakeByCodeAndKind) {
    E1Document d = Empty();
    d.SetNumber(At(d, "edP301"), 1234.567);  // typed: every digit kept
    d.SetNumber(At(d, "edP302"), 0);
    d.SetNumber(At(d, "edP201"), 2);
    d.SetChecked(At(d, "cbP017"), true);
    d.SetNumber(At(d, "edP205"), 15234);
    d.SetChecked(At(d, "cbTelos500S"), true);
    d.SetChecked(At(d, "cbTelos400F"), true);
    d.SetChecked(At(d, "cbExairesiS"), true);
    d.SetChecked(At(d, "cbMarried"), true);
    d.SetNumber(At(d, "edEkprot"), 3);
    d.SetNumber(At(d, "edCarIppoi2"), 2600);
    d.SetNumber(At(d, "edCarYear2"), 2012);
    d.SetNumber(At(d, "edScafosLen2"), 8);
    d.SetChecked(At(d, "cbBoatType3"), true);
    d.extraCodes = {{19, 1}};
    const E1Intake in = IntakeOf(d);
    auto box = [&in](int code, CodeBoxKind kind) {
        for (const CodeBoxValue& b : in.boxes)
            if (b.code == code && b.kind == kind) return b;
        return CodeBoxValue{-1};
    };
    EXPECT_EQ(box(301, CodeBoxKind::Amount).value, 1234.567);
    EXPECT_TRUE(box(302, CodeBoxKind::Amount).filled);
    EXPECT_FALSE(box(303, CodeBoxKind::Amount).filled);
    EXPECT_EQ(box(201, CodeBoxKind::Whole).value, 2);
    EXPECT_TRUE(box(17, CodeBoxKind::Tick).filled);
    EXPECT_EQ(box(205, CodeBoxKind::Whole).value, 15234);
    EXPECT_FALSE(box(205, CodeBoxKind::Tick).filled);
    EXPECT_FALSE(box(93, CodeBoxKind::Amount).filled);
    EXPECT_EQ(box(95, CodeBoxKind::Amount).value, 1);  // follows cbTelos500S
    EXPECT_EQ(in.boxes.back().code, 19);              // extra codes come last
    EXPECT_EQ(in.feeLargeCity, (PersonFlags{false, true}));
    EXPECT_EQ(in.feeTouristTown, (PersonFlags{true, false}));
    EXPECT_EQ(in.feeExempt, (PersonFlags{false, true}));
    EXPECT_TRUE(in.married);
    EXPECT_EQ(in.lateMonths, 3);
    EXPECT_EQ(in.assets.cars[1].capacity, 2600);
    EXPECT_EQ(in.assets.cars[1].year, 2012);
    EXPECT_EQ(in.assets.boats[1].length, 8);
    EXPECT_TRUE(in.assets.boats[1].sailing);
    EXPECT_FALSE(in.assets.boats[0].sailing);
}

TEST_P(Document, FilledCodesAndStatementHeading) {
    E1Document d = Empty();
    d.SetText(At(d, "edAFM"), "123456789");
    d.SetText(At(d, "edBigName"), "ΠΑΠΑΣ");
    d.SetText(At(d, "edName"), "ΝΙΚΟΣ");
    d.SetText(At(d, "edSyzBigName"), "ΠΑΠΑ");
    d.SetText(At(d, "edAdress"), "ΟΔΟΣ 1");
    d.SetNumber(At(d, "edP301"), 20000);
    d.SetNumber(At(d, "edP049"), 2500);
    d.SetNumber(At(d, "edP302"), 0);  // not above 0: not listed
    d.SetChecked(At(d, "cbP327"), true);
    d.SetNumber(At(d, "edP006"), 2);
    d.SetNumber(At(d, "edP205"), 15234);
    d.SetChecked(At(d, "cbP205"), true);
    const StatementHeader h = StatementHeaderOf(d);
    EXPECT_EQ(h.taxNumber, "123456789");
    EXPECT_EQ(h.names, "ΠΑΠΑΣ ΝΙΚΟΣ");
    EXPECT_EQ(h.spouseNames, "ΠΑΠΑ ");
    EXPECT_EQ(h.address, "ΟΔΟΣ 1");
    EXPECT_EQ(h.taxpayerCodes, (std::vector<FilledCodeLine>{
                                   {"049", "2.500,00"}, {"205", "ΝΑΙ"}, {"205", "15234"}, {"301", "20.000,00"},
                                   {"327", "ΝΑΙ"}}));
    EXPECT_EQ(h.spouseCodes, (std::vector<FilledCodeLine>{{"006", "2"}}));
}

TEST_P(Document, ListenersHearEveryChangeOnce) {
    E1Document d = Empty();
    std::vector<size_t> heard;
    d.SetListener([&heard](size_t i) { heard.push_back(i); });
    const size_t box = At(d, "edP301");
    d.SetNumber(box, 10);
    d.SetNumber(box, 10);  // no change
    d.SetAmount(box, 10.004);
    d.SetAmount(box, 0);
    EXPECT_EQ(heard, (std::vector<size_t>{box, box}));
    EXPECT_EQ(d.Value(box).number, std::nullopt);
    d.SetNumber(box, 5);
    heard.clear();
    d.Clear();
    EXPECT_EQ(heard, std::vector<size_t>{box});
}

// Every field of the record lies in a box of its own kind, so the document
// never reads a number out of a text or a text out of a number.
TEST_P(Document, EveryRecordFieldHasABoxOfItsKind) {
    const E1Document d = Empty();
    for (const RecordField& f : E1Record::Fields()) {
        const int i = d.IndexOf(f.name);
        ASSERT_GE(i, 0) << f.name;
        const ControlKind k = d.Control(i).kind;
        switch (f.kind) {
            case FieldKind::String: EXPECT_TRUE(k == ControlKind::Text || k == ControlKind::AFM) << f.name; break;
            case FieldKind::Star:
            case FieldKind::Bool: EXPECT_EQ(k, ControlKind::Check) << f.name; break;
            default: EXPECT_TRUE(k == ControlKind::Int || k == ControlKind::Real) << f.name; break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, Document, ::testing::Values(2019, 2018),
                         [](const ::testing::TestParamInfo<int>& p) { return "Edition" + std::to_string(p.param); });

}  // namespace
}  // namespace kestrana
