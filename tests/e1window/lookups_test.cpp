#include <gtest/gtest.h>

#include "test_app.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "e1/window/tfi_doys.h"
#include "e1/window/tfi_select_eisod.h"
#include "editions/edition.h"
#include "info/tfi_convert_cc.h"
#include "platform/scripted_dialogs.h"
#include "records/cp1253.h"

namespace kestrana {
namespace {


void Tick(QListWidget* list, int number) { list->item(number - 1)->setCheckState(Qt::Checked); }

TEST(SelectEisod, ShowsOnlyItsPageWithTheCurrentEntryTicked) {
    App();
    ScriptedDialogs dialogs;
    TfiSelectEisod dlg(Edition2019(), dialogs, 0, 3);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Επιλογή κατηγορίας εισοδήματος"));
    for (int p = 0; p < 6; ++p) EXPECT_EQ(dlg.PageCodes()->isTabVisible(p), p == 0) << p;
    EXPECT_EQ(dlg.PageCodes()->tabText(0), QStringLiteral("659-660"));
    QListWidget* list = dlg.List(0);
    ASSERT_EQ(list->count(), 27);
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->item(i)->checkState() == Qt::Checked, i == 2) << i;
}

TEST(SelectEisod, OneChoiceRule) {
    App();
    struct Case { std::vector<int> ticked; int result; bool message; };
    for (const Case& c : {Case{{}, 0, false}, Case{{13}, 13, false}, Case{{2, 5}, 0, true}}) {
        ScriptedDialogs dialogs;
        TfiSelectEisod dlg(Edition2019(), dialogs, 0, 0);
        for (int n : c.ticked) Tick(dlg.List(0), n);
        dlg.SelectButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.Result(), c.result);
        EXPECT_EQ(dialogs.Texts(), c.message ? std::vector<std::string>{kOneChoiceOnlyMessage}
                                             : std::vector<std::string>{});
    }
    ScriptedDialogs dialogs;
    TfiSelectEisod dlg(Edition2018(), dialogs, 3, 10);
    EXPECT_EQ(dlg.List(3)->count(), 10);
    dlg.ExitButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST(ConvertCc, RangesAreContiguousAndSplitAcrossTwoTables) {
    App();
    const auto& table = HorsepowerTable();
    EXPECT_EQ(table.front().horsepower, 4);
    EXPECT_EQ(table.front().fromCc, 0);
    for (size_t i = 1; i < table.size(); ++i) {
        EXPECT_EQ(table[i].horsepower, table[i - 1].horsepower + 1);
        EXPECT_EQ(table[i].fromCc, table[i - 1].toCc + 1) << table[i].horsepower;
    }
    EXPECT_EQ(table[10 - 4].toCc, 1500);
    EXPECT_EQ(table[17 - 4].toCc, 2499);
    EXPECT_EQ(table.back().toCc, 6642);

    TfiConvertCc window;
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Πίνακας αντιστοίχισης Φορολογίσιμων Ίππων σε Κυβικά Αυτοκινήτου"));
    EXPECT_EQ(window.LeftTable()->rowCount(), 22);
    EXPECT_EQ(window.RightTable()->rowCount(), 21);
    EXPECT_EQ(window.LeftTable()->item(0, 1)->text(), QStringLiteral("0 - 642"));
    EXPECT_EQ(window.RightTable()->item(0, 0)->text(), QStringLiteral("26"));
    EXPECT_EQ(window.RightTable()->item(20, 1)->text(), QStringLiteral("6500 - 6642"));
}

// A Doys.txt in the file's own code page, under a folder spelled "WParams".
class TaxOfficeList : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        QDir(dir.path()).mkdir("WParams");
        QFile f(dir.path() + "/WParams/Doys.txt");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const std::string text = Utf8ToCp1253(
            "ΚΑΛΛΙΘΕΑΣ;1130\r\nΑΘΗΝΩΝ Α';1101\r\nΑΜΑΡΟΥΣΙΟΥ;1135\r\nΑΘΗΝΩΝ Δ';1104\r\n");
        f.write(text.data(), qint64(text.size()));
    }
    QString Cell(TfiDOYS& d, int row, int col) { return d.Grid()->item(row, col)->text(); }
    QTemporaryDir dir;
};

TEST_F(TaxOfficeList, FileOrderThenSortAndSearchByTypedLatinLetters) {
    TfiDOYS d(dir.path().toStdString());
    ASSERT_EQ(d.Grid()->rowCount(), 4);
    EXPECT_EQ(Cell(d, 0, 0), QStringLiteral("ΚΑΛΛΙΘΕΑΣ"));
    EXPECT_EQ(Cell(d, 0, 1), QStringLiteral("1130"));
    d.show();
    // a, u on a Latin layout are Α, Θ: the first name beginning with ΑΘ.
    QTest::keyClicks(d.Grid(), "au");
    EXPECT_EQ(d.SearchBox()->text(), QStringLiteral("ΑΘ"));
    EXPECT_EQ(d.ChosenDescription(), QStringLiteral("ΑΘΗΝΩΝ Α'"));
    QTest::keyClick(d.Grid(), Qt::Key_Down);
    EXPECT_TRUE(d.SearchBox()->text().isEmpty());

    d.SortChoice(1)->click();
    EXPECT_EQ(Cell(d, 0, 1), QStringLiteral("1101"));
    EXPECT_EQ(Cell(d, 3, 1), QStringLiteral("1135"));
    QTest::keyClicks(d.Grid(), "113");
    EXPECT_EQ(d.ChosenDescription(), QStringLiteral("ΚΑΛΛΙΘΕΑΣ"));
    QTest::keyClicks(d.Grid(), "9");  // past every code: the last row
    EXPECT_EQ(d.ChosenDescription(), QStringLiteral("ΑΜΑΡΟΥΣΙΟΥ"));

    d.SortChoice(0)->click();
    EXPECT_TRUE(d.SearchBox()->text().isEmpty());
    EXPECT_EQ(Cell(d, 0, 0), QStringLiteral("ΑΘΗΝΩΝ Α'"));
    QTest::keyClick(d.Grid(), Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(TaxOfficeList, KeysThatDoNotSearch) {
    TfiDOYS d(dir.path().toStdString());
    d.show();
    QTest::keyClick(d.Grid(), Qt::Key_Insert);
    QTest::keyClick(d.Grid(), Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(d.Grid(), 'a', Qt::ControlModifier);
    EXPECT_TRUE(d.SearchBox()->text().isEmpty());
    EXPECT_TRUE(d.isVisible());
    // Accented small Greek letters search as plain capitals.
    // Keys of a Greek layout carry their letter as text only.
    for (QChar c : QStringLiteral("άμ"))
        QTest::sendKeyEvent(QTest::Click, d.Grid(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    EXPECT_EQ(d.SearchBox()->text(), QStringLiteral("ΑΜ"));
    EXPECT_EQ(d.ChosenDescription(), QStringLiteral("ΑΜΑΡΟΥΣΙΟΥ"));
    // A character outside the search set is dropped and leaves the row alone.
    QTest::keyClicks(d.Grid(), ",");
    EXPECT_EQ(d.SearchBox()->text(), QStringLiteral("ΑΜ"));
    EXPECT_EQ(d.ChosenDescription(), QStringLiteral("ΑΜΑΡΟΥΣΙΟΥ"));
    QTest::keyClick(d.Grid(), Qt::Key_Backspace);
    EXPECT_TRUE(d.SearchBox()->text().isEmpty());
}

TEST_F(TaxOfficeList, MissingFileGivesAnEmptyList) {
    QTemporaryDir empty;
    TfiDOYS d(empty.path().toStdString());
    EXPECT_EQ(d.Grid()->rowCount(), 0);
    EXPECT_TRUE(d.ChosenDescription().isEmpty());
    d.show();
    QTest::keyClick(d.Grid(), Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace kestrana
