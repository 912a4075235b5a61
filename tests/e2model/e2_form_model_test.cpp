// The E2 form model: the boxes of each table row in tab order with their
// limits and states, the record fields they stand for, and where they sit.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "e2/model/e2_form_model.h"
#include "editions/edition.h"
#include "records/e2_record.h"

namespace kestrana {
namespace {

using K = E2ControlKind;

struct Expected {
    const char* column;
    K kind;
    int maxLength;
    bool readOnly;
    bool white;
    E2Picker picker;
};

constexpr E2Picker kNo = E2Picker::None;

// One row of each table, left to right in tab order (buttons included).
const std::vector<Expected> kTable1Row = {
    {"lbRow", K::RowNumber, 0, false, false, kNo},
    {"edTopos", K::Text, 30, false, false, kNo},
    {"sbGetThesi", K::Picker, 0, false, false, E2Picker::Position},
    {"edPlace", K::Text, 4, true, false, E2Picker::Position},
    {"sbGetXrisi", K::Picker, 0, false, false, E2Picker::Use},
    {"edInUse", K::Text, 20, true, false, E2Picker::Use},
    {"edSurfa", K::Text, 5, false, false, kNo},
    {"sbGetEidosMist", K::Picker, 0, false, false, E2Picker::LeaseType},
    {"edEidosMist", K::Text, 30, true, false, E2Picker::LeaseType},
    {"edParoxesDEH", K::Text, 9, false, false, kNo},
    {"edEName", K::Text, 23, false, false, kNo},
    {"edAFM", K::Text, 12, false, false, kNo},
    {"edArMist", K::Text, 30, false, false, kNo},
    {"edDate1", K::Text, 5, false, false, kNo},
    {"edDate2", K::Text, 5, false, false, kNo},
    {"edMonths", K::Real, 0, false, false, kNo},
    {"edEnoikio", K::Real, 0, false, false, kNo},
    {"edSinid", K::Text, 0, false, false, kNo},
    {"edKat", K::Real, 0, true, true, kNo},
    {"edGr", K::Real, 0, true, true, kNo},
    {"edGi", K::Real, 0, true, true, kNo},
    {"edLi", K::Real, 0, true, true, kNo},
};
const std::vector<Expected> kTable2Row = {
    {"lbPin2Row", K::RowNumber, 0, false, false, kNo},
    {"edPin2Topos", K::Text, 30, false, false, kNo},
    {"sbGetThesi", K::Picker, 0, false, false, E2Picker::Position},
    {"edPin2Place", K::Text, 4, true, false, E2Picker::Position},
    {"sbGetXrisi", K::Picker, 0, false, false, E2Picker::Use},
    {"edPin2InUse", K::Text, 20, true, false, E2Picker::Use},
    {"edPin2Surfa", K::Text, 4, false, false, kNo},
    {"sbGetEidosMist", K::Picker, 0, false, false, E2Picker::LeaseType},
    {"edEidosMist", K::Text, 4, true, false, E2Picker::LeaseType},
    {"edParoxesDEH", K::Text, 9, false, false, kNo},
    {"edPin2SName", K::Text, 30, false, false, kNo},
    {"edPin2SAFM", K::Text, 12, false, false, kNo},
    {"edPin2Addre", K::Text, 34, false, false, kNo},
    {"edPin2Sinid", K::Text, 5, false, false, kNo},
    {"edPin2Misto", K::Real, 0, false, false, kNo},
};
const std::vector<Expected> kTable3Row = {
    {"lbPin3Row", K::RowNumber, 0, false, false, kNo},
    {"edPin3Topos", K::Text, 30, false, false, kNo},
    {"sbGetThesi", K::Picker, 0, false, false, E2Picker::Position},
    {"edPin3Place", K::Text, 4, true, false, E2Picker::Position},
    {"sbGetXrisi", K::Picker, 0, false, false, E2Picker::Use},
    {"edPin3InUse", K::Text, 20, true, false, E2Picker::Use},
    {"edPin3Surfa", K::Text, 4, false, false, kNo},
    {"edParoxesDEH", K::Text, 9, false, false, kNo},
    {"edPin3Title", K::Text, 35, false, false, kNo},
};

// Buttons and the shared arrays are named after the shared row k, the rest
// after the row of their table.
bool NamedAfterSharedRow(const std::string& column) {
    return column == "edParoxesDEH" || column == "edEidosMist" || column.rfind("sbGet", 0) == 0;
}

TEST(E2FormModel, TableRowsHoldTheirBoxesInTabOrder) {
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        const E2Form& form = E2FormModel(*e);
        struct Table { int number, rows, firstShared; const std::vector<Expected>* row; int page; };
        for (const Table& t : {Table{1, 16, 1, &kTable1Row, 1}, Table{2, 9, 17, &kTable2Row, 2},
                               Table{3, 4, 26, &kTable3Row, 2}}) {
            int previous = -1;
            for (int r = 1; r <= t.rows; ++r) {
                const int k = t.firstShared + r - 1;
                for (const Expected& x : *t.row) {
                    const std::string name = x.column + std::to_string(NamedAfterSharedRow(x.column) ? k : r);
                    const int at = form.IndexOf(name);
                    ASSERT_GE(at, 0) << name;
                    EXPECT_GT(at, previous) << name << ": out of tab order";
                    previous = at;
                    const E2Control& c = form.At(at);
                    EXPECT_EQ(c.kind, x.kind) << name;
                    EXPECT_EQ(c.maxLength, x.maxLength) << name;
                    EXPECT_EQ(c.readOnly, x.readOnly) << name;
                    EXPECT_EQ(c.colour == E2Colour::White, x.white) << name;
                    EXPECT_EQ(c.picker, x.picker) << name;
                    EXPECT_EQ(c.page, t.page) << name;
                    EXPECT_EQ(c.table, t.number) << name;
                    EXPECT_EQ(c.row, r) << name;
                    EXPECT_EQ(c.sharedRow, k) << name;
                    EXPECT_EQ(c.tag, NamedAfterSharedRow(x.column) ? k : r) << name;
                    EXPECT_EQ(c.column, x.column) << name;
                    // Buttons and row numbers are not reached by Tab; white boxes start locked.
                    EXPECT_EQ(c.tabStop, x.kind != K::Picker && x.kind != K::RowNumber && !x.white) << name;
                    EXPECT_EQ(c.enabled, !x.white) << name;
                    EXPECT_TRUE(c.visible) << name;
                }
            }
        }
        // The row number labels show their number; table 3 has no lease type.
        EXPECT_EQ(form.Find("lbRow16")->caption, "16");
        EXPECT_EQ(form.Find("lbPin2Row9")->caption, "9");
        EXPECT_EQ(form.Find("sbGetEidosMist26"), nullptr);
        EXPECT_EQ(form.Find("edEidosMist26"), nullptr);
        EXPECT_EQ(form.Find("edArMist17"), nullptr);
    }
}

TEST(E2FormModel, HeaderTotalsModeButtonAndHiddenCodes) {
    const E2Form& form = E2FormModel(Edition2019());
    // The header comes first: surname, first name, father's name, tax number.
    const char* header[] = {"edBigName", "edName", "edFatherName", "edAFM", "sbCalcOff"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(form.At(i).name, header[i]);
    EXPECT_EQ(form.Find("edBigName")->maxLength, 40);
    EXPECT_EQ(form.Find("edName")->maxLength, 40);
    EXPECT_EQ(form.Find("edFatherName")->maxLength, 15);
    EXPECT_EQ(form.Find("edAFM")->kind, K::AFM);
    const E2Control* mode = form.Find("sbCalcOff");
    EXPECT_EQ(mode->kind, K::Toggle);
    EXPECT_EQ(mode->caption, "ΑΥΤΟΜΑΤΟΣ ΥΠΟΛΟΓΙΣΜΟΣ");

    // Totals follow row 16 of table 1, white and locked.
    EXPECT_LT(form.IndexOf("edLi16"), form.IndexOf("edTotal1"));
    EXPECT_LT(form.IndexOf("edTotal4"), form.IndexOf("edPin2Topos1"));
    for (int i = 1; i <= 4; ++i) {
        const E2Control* t = form.Find("edTotal" + std::to_string(i));
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->kind, K::Real);
        EXPECT_EQ(t->colour, E2Colour::White);
        EXPECT_FALSE(t->enabled);
        EXPECT_TRUE(t->readOnly);
        EXPECT_EQ(t->page, 1);
    }

    // The use and position codes of all 29 rows, hidden, last in tab order.
    for (const char* column : {"edXrisiID", "edThesiID"}) {
        for (int k = 1; k <= 29; ++k) {
            const E2Control* c = form.Find(column + std::to_string(k));
            ASSERT_NE(c, nullptr) << column << k;
            EXPECT_EQ(c->kind, K::Int);
            EXPECT_FALSE(c->visible);
            EXPECT_EQ(c->tag, k);
            EXPECT_GT(form.IndexOf(c->name), form.IndexOf("edPin3Title4"));
        }
        EXPECT_EQ(form.Find(column + std::string("30")), nullptr);
    }
}

// Every field of the record has its box under the same name, with the kind
// its bytes need; the text boxes know how many characters are stored.
TEST(E2FormModel, EveryRecordFieldHasItsBox) {
    const E2Form& form = E2FormModel(Edition2019());
    std::set<std::string> fieldNames;
    for (const RecordField& f : E2Fields()) {
        fieldNames.insert(f.name);
        if (f.name == "SerialNumber" || f.column == "ColumnMarks" || f.name == "sbCalcOff") continue;
        const E2Control* c = form.Find(f.name);
        ASSERT_NE(c, nullptr) << f.name;
        switch (f.kind) {
            case FieldKind::String:
                EXPECT_TRUE(c->kind == K::Text || c->kind == K::AFM) << f.name;
                EXPECT_EQ(c->stored, static_cast<int>(f.capacity)) << f.name;
                break;
            case FieldKind::Real48: EXPECT_EQ(c->kind, K::Real) << f.name; break;
            case FieldKind::Byte: EXPECT_EQ(c->kind, K::Int) << f.name; break;
            default: ADD_FAILURE() << f.name;
        }
    }
    // And every entry box is stored.
    for (const E2Control& c : form.Controls()) {
        if (c.IsEntry()) {
            EXPECT_TRUE(fieldNames.count(c.name)) << c.name;
        }
    }
    EXPECT_EQ(form.Find("edArMist1")->stored, 20);   // 30 typed, 20 kept
    EXPECT_EQ(form.Find("edInUse1")->stored, 4);     // the use text is cut
    EXPECT_EQ(form.Find("edSinid1")->stored, 8);
}

// Every box and button lies on its page, visible ones never overlap, the
// rows of a table are one pitch apart (the first about 249 window pixels down).
TEST(E2FormModel, BoxesLieOnThePageWithoutOverlapping) {
    const E2Form& form = E2FormModel(Edition2019());
    const E2Rect page{0, 0, kE2PageWidth, kE2PageHeight};
    for (int p = 1; p <= kE2PageCount; ++p) {
        const auto controls = form.ControlsOfPage(p);
        for (size_t i = 0; i < controls.size(); ++i) {
            const E2Control& a = *controls[i];
            EXPECT_TRUE(page.Contains(a.rect)) << a.name;
            EXPECT_GT(a.rect.w, 0) << a.name;
            if (!a.visible) continue;
            for (size_t j = i + 1; j < controls.size(); ++j) {
                if (controls[j]->visible) {
                    EXPECT_FALSE(a.rect.Intersects(controls[j]->rect)) << a.name << " " << controls[j]->name;
                }
            }
        }
        for (const E2Label* l : form.LabelsOfPage(p)) EXPECT_TRUE(page.Contains(l->rect)) << l->text;
    }
    const double windowScale = double(kE2PictureWidth) / kE2PageWidth;
    EXPECT_NEAR(form.Find("edTopos1")->rect.y * windowScale, 249, 6);
    const int pitch = form.Find("edTopos2")->rect.y - form.Find("edTopos1")->rect.y;
    EXPECT_NEAR(pitch * windowScale, 26.6, 1);
    for (const char* column : {"edTopos", "edLi", "edPin2Topos", "edPin3Title"}) {
        const int first = form.Find(column + std::string("1"))->rect.y;
        for (int r = 2; r <= 4; ++r)
            EXPECT_EQ(form.Find(column + std::to_string(r))->rect.y, first + (r - 1) * pitch) << column << r;
    }
    // A picker button sits just left of the box it fills.
    const E2Rect button = form.Find("sbGetThesi3")->rect, box = form.Find("edPlace3")->rect;
    EXPECT_EQ(button.y, box.y);
    EXPECT_LE(button.Right(), box.x);
    EXPECT_LE(box.x - button.Right(), 2);
    // Totals stand under their columns.
    EXPECT_EQ(form.Find("edTotal1")->rect.x, form.Find("edKat16")->rect.x);
    EXPECT_EQ(form.Find("edTotal4")->rect.x, form.Find("edLi16")->rect.x);
    EXPECT_GT(form.Find("edTotal1")->rect.y, form.Find("edKat16")->rect.Bottom());
}

TEST(E2FormModel, EditionsShareTheBoxesAndNameTheirYear) {
    const E2Form& f19 = E2FormModel(Edition2019());
    const E2Form& f18 = E2FormModel(Edition2018());
    ASSERT_EQ(f19.Count(), f18.Count());
    for (int i = 0; i < f19.Count(); ++i) {
        EXPECT_EQ(f19.At(i).name, f18.At(i).name);
        EXPECT_EQ(f19.At(i).rect.x, f18.At(i).rect.x);
        EXPECT_EQ(f19.At(i).rect.y, f18.At(i).rect.y);
    }
    auto has = [](const E2Form& f, int page, const std::string& text) {
        for (const E2Label* l : f.LabelsOfPage(page))
            if (l->text == text) return true;
        return false;
    };
    const std::string ii = " ΕΙΝΑΙ ΗΜΙΤΕΛΗΣ Ή ΜΕΤΑΒΙΒΑΣΤΗΚΕ Ή ΑΠΟΚΤΗΘΗΚΕ ΑΠΟ ΑΓΟΡΑ - ΚΛΗΡΟΝΟΜΙΑ -  ΔΩΡΕΑ - "
                           "ΓΟΝΙΚΗ ΠΑΡΟΧΗ ΚΤΛ";
    EXPECT_TRUE(has(f19, 2, "ΙΙ. ΑΚΙΝΗΤΗ ΠΕΡΙΟΥΣΙΑ ΠΟΥ ΤΟ 2018" + ii));
    EXPECT_TRUE(has(f18, 2, "ΙΙ. ΑΚΙΝΗΤΗ ΠΕΡΙΟΥΣΙΑ ΠΟΥ ΤΟ 2017" + ii));
    EXPECT_TRUE(has(f19, 2, "Φ-01.002 / ΕΚΔΟΣΗ 2019"));
    EXPECT_TRUE(has(f18, 2, "Φ-01.002 / ΕΚΔΟΣΗ 2018"));
}

TEST(E2FormModel, NamesOfTheSharedRowsAndPages) {
    EXPECT_EQ(E2PageCaption(1), "Σελίδα1");
    EXPECT_EQ(E2PageCaption(2), "Σελίδα 2");
    const std::map<int, std::vector<std::string>> cases = {
        {1, {"edInUse1", "edPlace1", "edTopos1"}},
        {16, {"edInUse16", "edPlace16", "edTopos16"}},
        {17, {"edPin2InUse1", "edPin2Place1", "edPin2Topos1"}},
        {25, {"edPin2InUse9", "edPin2Place9", "edPin2Topos9"}},
        {26, {"edPin3InUse1", "edPin3Place1", "edPin3Topos1"}},
        {29, {"edPin3InUse4", "edPin3Place4", "edPin3Topos4"}},
        {0, {"", "", ""}},
        {30, {"", "", ""}},
    };
    for (const auto& [k, names] : cases) {
        EXPECT_EQ(E2UseBoxName(k), names[0]) << k;
        EXPECT_EQ(E2PlaceBoxName(k), names[1]) << k;
        EXPECT_EQ(E2LocationBoxName(k), names[2]) << k;
    }
    // Lookups ignore letter case.
    EXPECT_EQ(E2FormModel(Edition2019()).IndexOf("EDTOPOS1"), E2FormModel(Edition2019()).IndexOf("edTopos", 1));
}

}  // namespace
}  // namespace kestrana
