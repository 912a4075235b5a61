// The declarations index window: sort, quick search and typing, keys,
// delete, unreadable files, and choosing a declaration.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QKeyEvent>
#include <QTest>
#include <fstream>

#include "platform/scripted_dialogs.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "shell/index_window/tfi_entypa_list.h"
#include "records/record_files.h"
#include "support/test_context.h"

namespace fs = std::filesystem;
using namespace kestrana;

namespace {

// Greek letters as the keyboard delivers them (QTest knows only ASCII keys).
void Type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

class IndexWindow : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(base);
        fs::create_directories(base / "Tables");
        Store("ΠΑΠΑΣ", "ΝΙΚΟΣ", "300000003");
        Store("αλεξίου", "ΑΝΝΑ", "100000001");
        Store("ΒΑΣΙΛΕΙΟΥ", "ΜΑΡΙΑ", "200000002");
        Store("ΠΑΠΑΣ", "ΓΙΑΝΝΗΣ", "400000004");
    }
    void TearDown() override { fs::remove_all(base); }

    void Store(const std::string& surname, const std::string& name, const std::string& afm) {
        E1Record r;
        r.SetText("edAFM", afm);
        r.SetText("edBigName", surname);
        r.SetText("edName", name);
        WriteE1File(r, base.string());
    }
    std::vector<std::string> Column(const TfiEntypaList& w, int c) {
        std::vector<std::string> out;
        for (size_t r = 1; r < w.Grid().size(); ++r) out.push_back(w.Grid()[r][c]);
        return out;
    }
    std::string SelectedSurname(const TfiEntypaList& w) { return w.Grid()[w.SelectedRow()][0]; }

    fs::path base = fs::temp_directory_path() /
                    ("kestrana_index_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    TestContext tc{Edition2019(), base.string()};
    ScriptedDialogs& dialogs = tc.dialogs;
};

TEST_F(IndexWindow, SortsGreekTextIgnoringCaseAndByTaxNumber) {
    // An empty sort cell must not leave the rows after it unsorted.
    Store("", "", "500000005");
    Store("ΖΩΗ", "", "");  // Tables/E1.dta
    TfiEntypaList w(tc.context, nullptr);
    w.ShowIndex(DeclarationKind::E1);
    EXPECT_EQ(w.windowTitle(), QString("Κατάλογος Δηλώσεων"));
    EXPECT_EQ(w.RowCount(), 7);
    EXPECT_EQ(Column(w, 0), (std::vector<std::string>{"", "αλεξίου", "ΒΑΣΙΛΕΙΟΥ", "ΖΩΗ", "ΠΑΠΑΣ", "ΠΑΠΑΣ"}));
    EXPECT_EQ(w.SelectedRow(), 1);
    w.SearchBox()->setText("x");
    w.ChooseSort(1);
    EXPECT_TRUE(w.SearchBox()->text().isEmpty());
    EXPECT_EQ(Column(w, 2),
              (std::vector<std::string>{"", "100000001", "200000002", "300000003", "400000004", "500000005"}));
    auto* view = w.GridView();
    EXPECT_EQ(view->columnWidth(0), 252);
    EXPECT_EQ(view->columnWidth(1), 221);
    EXPECT_EQ(view->columnWidth(2), 99);
}

TEST_F(IndexWindow, TypingInTheGridSearchesCaseSensitively) {
    TfiEntypaList w(tc.context, nullptr);
    w.ShowIndex(DeclarationKind::E1);
    w.show();
    Type(w.GridView(), "ΠΑ");
    EXPECT_EQ(w.SearchBox()->text(), QString("ΠΑ"));
    EXPECT_EQ(SelectedSurname(w), "ΠΑΠΑΣ");
    QTest::keyClick(w.GridView(), Qt::Key_Backspace);
    EXPECT_TRUE(w.SearchBox()->text().isEmpty());
    // Small letters sort after every capital: no prefix, no greater cell.
    Type(w.GridView(), "πα");
    EXPECT_EQ(w.SelectedRow(), w.RowCount() - 1);
    QTest::keyClick(w.GridView(), Qt::Key_Home);
    EXPECT_TRUE(w.SearchBox()->text().isEmpty());
    // No prefix: the first greater cell by character codes, where the small
    // letters of the first row are greater than any capital.
    w.SearchBox()->setText("Γ");
    EXPECT_EQ(SelectedSurname(w), "αλεξίου");
}

TEST_F(IndexWindow, EnterOpensEscCancels) {
    for (auto [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted}, {Qt::Key_Escape, QDialog::Rejected}}) {
        TfiEntypaList w(tc.context, nullptr);
        w.ShowIndex(DeclarationKind::E1);
        w.show();
        QTest::keyClick(w.GridView(), key);
        EXPECT_EQ(w.result(), result);
    }
    for (bool inSearchBox : {false, true}) {
        dialogs.ExpectModal([inSearchBox](QDialog& d) {
            auto& w = static_cast<TfiEntypaList&>(d);
            w.SearchBox()->setText("ΒΑ");
            QTest::keyClick(inSearchBox ? static_cast<QWidget*>(w.SearchBox()) : w.GridView(), Qt::Key_Return);
        });
        EXPECT_EQ(ChooseDeclaration(tc.context, DeclarationKind::E1, nullptr), std::optional<std::string>("200000002"))
            << inSearchBox;
    }
    dialogs.ExpectModal(QDialog::Rejected);
    EXPECT_EQ(ChooseDeclaration(tc.context, DeclarationKind::E1, nullptr), std::nullopt);
    // No E2 declaration stored.
    EXPECT_EQ(ChooseDeclaration(tc.context, DeclarationKind::E2, nullptr), std::nullopt);
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message),
              std::vector<std::string>{"Δεν υπάρχει καταχωρημένη καμία δήλωση."});
}

TEST_F(IndexWindow, DeleteFromTheE2IndexLeavesTheE1File) {
    E2Record e2;
    e2.SetText("edAFM", "200000002");
    e2.SetText("edBigName", "ΒΑΣΙΛΕΙΟΥ");
    WriteE2File(e2, base.string());
    TfiEntypaList w(tc.context, nullptr);
    w.ShowIndex(DeclarationKind::E2);
    w.show();
    ASSERT_EQ(w.RowCount(), 2);
    dialogs.answers = {false, true};
    w.DeleteSelected();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(fs::exists(base / "Tables" / "E2200000002.dta"));
    w.DeleteSelected();
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Question).back(),
              "Προσοχή !!. Να γίνει η διαγραφή της Δήλωσης του ΒΑΣΙΛΕΙΟΥ με ΑΦΜ 200000002");
    EXPECT_FALSE(fs::exists(base / "Tables" / "E2200000002.dta"));
    EXPECT_TRUE(fs::exists(base / "Tables" / "E1200000002.dta"));
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

TEST_F(IndexWindow, UnreadableFilesAreNamedOnceAndTheRestListed) {
    std::ofstream(base / "Tables" / "E1short.dta") << "too short";
    std::ofstream(base / "Tables" / "E1short2.dta") << "too short";
    TfiEntypaList w(tc.context, nullptr);
    w.ShowIndex(DeclarationKind::E1);
    EXPECT_EQ(w.RowCount(), 5);
    const auto errors = dialogs.TextsOf(DialogKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("E1short.dta"), std::string::npos);
    EXPECT_NE(errors[0].find("E1short2.dta"), std::string::npos);
}

}  // namespace
