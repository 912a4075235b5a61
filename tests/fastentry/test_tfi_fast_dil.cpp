// Fast entry offscreen: open, save, the intake and the statement, the keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "e1/fastentry/tfi_fast_dil.h"
#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/scripted_dialogs.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/record_files.h"
#include "support/test_context.h"

namespace fs = std::filesystem;
using namespace kestrana;

namespace {

class FastEntry : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder / "Tables");
    }
    void TearDown() override {
        fs::remove_all(folder);
    }

    // A stored declaration with identity fields the fast entry never shows.
    void Store(const std::string& afm) {
        E1Record r;
        r.SetText("edAFM", afm);
        r.SetText("edBigName", "ΠΑΠΑΔΟΠΟΥΛΟΣ");
        r.SetText("edName", "ΓΙΩΡΓΟΣ");
        r.SetText("edAdress", "ΟΔΟΣ 1");
        r.SetRegistrationNumber(42);
        r.SetBool("cbMarried", true);
        r.SetCode(0, 301, 20000);
        r.SetCode(1, 11, 1);
        r.SetCode(3, 115, 500);  // entry 2 stays empty
        r.SetCode(4, 37, 1);
        WriteE1File(r, folder.string());
    }
    E1Record Stored(const std::string& afm) {
        E1Record r;
        ReadE1File(afm, r, folder.string());
        return r;
    }

    fs::path folder = fs::temp_directory_path() /
                      ("kestrana_fast_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    TestContext tc{Edition2019(), folder.string()};
    ScriptedDialogs& dialogs = tc.dialogs;
    E1Record& e1 = tc.e1;
    EngineState& engine = tc.engine;
    AppContext& context = tc.context;
};

std::vector<std::pair<std::string, std::string>> Pairs(const std::vector<FastEntryRow>& rows) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& r : rows) out.emplace_back(r.code, r.amount);
    return out;
}

TEST_F(FastEntry, OpenShowsTicksAndSortedRowsAndSaveKeepsTheRest) {
    Store("123456789");
    e1.SetText("edName", "ΑΛΛΟΣ");
    TfiFastDil window(context);
    EXPECT_EQ(e1.GetText("edName"), "");  // opening the window clears the record
    window.OpenDeclaration("123456789");
    EXPECT_TRUE(window.TickBox(11)->isChecked());
    EXPECT_FALSE(window.TickBox(12)->isChecked());
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(Pairs(window.Rows()), (std::vector<P>{{"037", "1,00"}, {"115", "500,00"}, {"301", "20.000,00"}}));
    EXPECT_EQ(window.findChild<QLineEdit*>("edBigName")->text(), QString("ΠΑΠΑΔΟΠΟΥΛΟΣ"));
    EXPECT_TRUE(window.findChild<QCheckBox*>("cbMarried")->isChecked());

    window.findChild<QLineEdit*>("edBigName")->setText("ΝΕΟ");
    window.TickBox(327)->setChecked(true);
    dialogs.answers = {true};
    ASSERT_TRUE(window.Save());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Question),
              std::vector<std::string>{"Η δήλωση αυτή υπάρχει ήδη στο αρχείο. Να γίνει επικάλυψη των στοιχείων;"});
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message),
              std::vector<std::string>{"Η αποθήκευση ολοκληρώθηκε με επιτυχία"});
    const E1Record saved = Stored("123456789");
    EXPECT_EQ(saved.GetText("edBigName"), "ΝΕΟ");
    EXPECT_EQ(saved.GetText("edName"), "ΓΙΩΡΓΟΣ");
    EXPECT_EQ(saved.GetText("edAdress"), "ΟΔΟΣ 1");
    EXPECT_EQ(saved.RegistrationNumber(), 42);
    // Ticks first (in the window's order), then the rows.
    EXPECT_EQ(saved.UsedCodes(), (std::vector<CodeEntry>{{327, 1}, {11, 1}, {37, 1}, {115, 500}, {301, 20000}}));

    // Clear, then open again: the same declaration comes back.
    window.SetRows({});
    for (int code : {11, 327}) window.TickBox(code)->setChecked(false);
    window.OpenDeclaration("123456789");
    EXPECT_TRUE(window.TickBox(327)->isChecked());
    EXPECT_EQ(window.Rows().size(), 3u);
}

// Box 205's postal code shares the code with the tick box 205: it comes back
// as a row, so that a save keeps it rather than turning it into a tick.
TEST_F(FastEntry, PostalCodeUnder205IsARowNotATick) {
    E1Record r;
    r.SetText("edAFM", "123456789");
    r.SetCode(0, 205, 15234);
    r.SetCode(1, 205, 1);
    WriteE1File(r, folder.string());
    TfiFastDil window(context);
    window.OpenDeclaration("123456789");
    EXPECT_TRUE(window.TickBox(205)->isChecked());
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(Pairs(window.Rows()), (std::vector<P>{{"205", "15.234,00"}}));
    dialogs.answers = {true};
    ASSERT_TRUE(window.Save());
    EXPECT_EQ(Stored("123456789").UsedCodes(), (std::vector<CodeEntry>{{205, 1}, {205, 15234}}));
}

TEST_F(FastEntry, AFailedOpenLeavesNothingOfThePreviousDeclaration) {
    Store("123456789");
    std::ofstream(folder / "Tables" / "E1111111111.dta") << "too short";
    TfiFastDil window(context);
    for (const char* other : {"111111111", "999999999"}) {  // unreadable, vanished
        window.OpenDeclaration("123456789");
        ASSERT_FALSE(window.Rows().front().code.empty());
        window.OpenDeclaration(other);
        EXPECT_EQ(window.Rows().size(), 1u) << other;
        EXPECT_TRUE(window.Rows().front().code.empty()) << other;
        EXPECT_TRUE(window.findChild<QLineEdit*>("edAFM")->text().isEmpty()) << other;
        EXPECT_EQ(e1.GetText("edName"), "") << other;
    }
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error).size(), 1u);
    EXPECT_EQ(Stored("123456789").UsedCodes().size(), 4u);
}

TEST_F(FastEntry, SaveRefusedWritesNothing) {
    Store("123456789");
    TfiFastDil window(context);
    window.OpenDeclaration("123456789");
    const auto before = Stored("123456789").Bytes();

    dialogs.answers = {false};  // do not overwrite
    EXPECT_FALSE(window.Save());

    struct Case { const char* code; const char* amount; std::string error; };
    const Case cases[] = {
        {"301", "12a", "'12a' is not a valid floating point value"},
        {"-", "5", "'-' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        dialogs.Clear();
        window.SetRows({{"115", "1"}, {c.code, c.amount}});
        EXPECT_FALSE(window.Save()) << c.code;
        EXPECT_EQ(dialogs.TextsOf(DialogKind::Error), std::vector<std::string>{c.error});
        EXPECT_TRUE(dialogs.TextsOf(DialogKind::Question).empty());
    }
    // More than 150 entries.
    std::vector<FastEntryRow> many;
    for (int code = 100; code < 251; ++code) many.push_back({std::to_string(code), "1"});
    window.SetRows(many);
    dialogs.Clear();
    EXPECT_FALSE(window.Save());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error).size(), 1u);
    EXPECT_EQ(Stored("123456789").Bytes(), before);
}

TEST_F(FastEntry, NewDeclarationWithoutTaxNumberIsSavedAsE1Dta) {
    TfiFastDil window(context);
    window.SetRows({{"301", "1.000,50"}});
    ASSERT_TRUE(window.Save());
    EXPECT_TRUE(fs::exists(folder / "Tables" / "E1.dta"));
    EXPECT_EQ(Stored("").UsedCodes(), (std::vector<CodeEntry>{{301, 1000.5}}));
}

TEST_F(FastEntry, ComputeCapsCode067AndOpensTheStatement) {
    engine.LateMonths = 7;
    TfiFastDil window(context);
    window.findChild<QLineEdit*>("edAFM")->setText("123456789");
    window.findChild<QLineEdit*>("edBigName")->setText("ΠΑΠΑΣ");
    window.SetRows({{"301", "20.000,00"}, {"067", "5000"}, {"", ""}});
    window.TickBox(617)->setChecked(true);
    window.TickBox(327)->setChecked(true);
    ASSERT_TRUE(window.Compute());
    ASSERT_EQ(tc.statements.opened.size(), 1u);
    EXPECT_EQ(tc.statements.opened[0].taxNumber, "123456789");
    EXPECT_EQ(tc.statements.opened[0].names, "ΠΑΠΑΣ");
    EXPECT_EQ(tc.statements.opened[0].address, "");
    EXPECT_EQ(engine.CodeValue[67], 3000);
    EXPECT_EQ(window.Rows()[1].amount, "3000");
    EXPECT_EQ(engine.LateMonths, 0);
    EXPECT_EQ(engine.CodeValue[327], 1.0);  // a tick is 1, as on every path
    EXPECT_TRUE(engine.PrepaymentHalved[T]);
    EXPECT_EQ(engine.CodeValue[617], 1.0);  // a tick on an amount box: the E1 window's 1,00
    EXPECT_EQ(engine.SalaryIncome[T], 20000);

    // A code that is not a number stops before the computation.
    window.SetRows({{"abc", "1"}});
    EXPECT_FALSE(window.Compute());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error).size(), 1u);
    EXPECT_EQ(tc.statements.opened.size(), 1u);
}

// Qt's complaints about editors closed twice, while the list is typed into.
std::vector<std::string> editorWarnings;
void CatchEditorWarnings(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (text.contains("does not belong to this view")) editorWarnings.push_back(text.toStdString());
}

TEST_F(FastEntry, TypingInTheCodeList) {
    editorWarnings.clear();
    const QtMessageHandler previousHandler = qInstallMessageHandler(CatchEditorWarnings);
    TfiFastDil window(context);
    window.show();
    QApplication::setActiveWindow(&window);
    QTableWidget* list = window.CodeList();
    list->setFocus();
    list->setCurrentCell(0, 0);
    QTest::keyClick(list, '3');  // starts the edit
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, list);
    QTest::keyClicks(editor, "a0x1");  // letters never reach the code
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(list->currentColumn(), 1);
    QTest::keyClick(list, '1');
    QTest::keyClicks(QApplication::focusWidget(), "2,5,0");  // one decimal comma only
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(list->currentColumn(), 0);
    ASSERT_GE(window.Rows().size(), 1u);
    EXPECT_EQ(window.Rows()[0].code, "301");
    EXPECT_EQ(window.Rows()[0].amount, "12,50");

    // A leading zero that starts the edit is kept: 067 stays 067.
    QTest::keyClick(list, '0');
    QTest::keyClicks(QApplication::focusWidget(), "67");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_GE(window.Rows().size(), 2u);
    EXPECT_EQ(window.Rows()[1].code, "067");
    qInstallMessageHandler(previousHandler);
    EXPECT_TRUE(editorWarnings.empty()) << editorWarnings.front();

    // Esc leaves the window and what was typed; only "Έξοδος" closes it.
    QTest::keyClick(&window, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Rows()[1].code, "067");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
