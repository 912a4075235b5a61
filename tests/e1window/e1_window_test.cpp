#include <gtest/gtest.h>

#include "test_app.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "e1/calc/presumption.h"
#include "e1/model/e1_document_io.h"
#include "e1/window/tfi_e1.h"
#include "e1/window/tfi_select_eisod.h"
#include "editions/edition.h"
#include "engine/engine_state.h"
#include "platform/app_context.h"
#include "platform/scripted_dialogs.h"
#include "controls/edit_int.h"
#include "controls/edit_real.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/declarations_store.h"
#include "records/record_files.h"
#include "support/test_context.h"

namespace kestrana {
namespace {


class E1Window : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(dir.isValid());
        base = dir.path().toStdString();
        store = DeclarationsStore(base);
        QDir(dir.path()).mkdir("Tables");
    }

    std::unique_ptr<TfiE1> Open(const Edition& edition = Edition2019()) {
        context = std::make_unique<AppContext>(AppContext{edition, dialogs, dialogs, store, e1, e2, engine});
        context->statements = &statements;
        auto w = std::make_unique<TfiE1>(*context);
        w->resize(1100, 800);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    // Types into a box and leaves it, as the user does with Tab.
    static void Type(TfiE1& w, const char* name, const QString& text) {
        QWidget* box = w.Control(name);
        ASSERT_NE(box, nullptr) << name;
        w.Pages()->setCurrentWidget(PageOf(box));
        Activate(w);
        box->setFocus(Qt::TabFocusReason);
        if (auto* e = qobject_cast<QLineEdit*>(box)) e->selectAll();
        Keys(box, text);
        Leave(w, box);
    }
    // A modal dialog may have left another window active.
    static void Activate(QWidget& w) {
        if (QApplication::activeWindow() == &w) return;
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    // QTest::keyClicks takes ASCII only; Greek letters go as text of a key event.
    static void Keys(QWidget* box, const QString& text) {
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
            return;
        }
        for (QChar c : text) {
            if (c.unicode() < 0x80) QTest::keyClick(box, char(c.unicode()));
            else QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static void Leave(TfiE1& w, QWidget* box) {
        // Focus to any other visible box of the same page.
        for (QWidget* other : box->parentWidget()->findChildren<QLineEdit*>()) {
            if (other != box && other->isVisible() && other->isEnabled()) {
                other->setFocus(Qt::TabFocusReason);
                break;
            }
        }
        (void)w;
    }
    static QWidget* PageOf(QWidget* box) {
        QWidget* w = box;
        while (w && !qobject_cast<QScrollArea*>(w)) w = w->parentWidget();
        return w;
    }
    static void Click(TfiE1& w, const char* name) {
        QCheckBox* c = w.Check(name);
        ASSERT_NE(c, nullptr) << name;
        w.Pages()->setCurrentWidget(PageOf(c));
        c->click();
    }
    std::string Text(TfiE1& w, const char* name) { return w.Edit(name)->text().toStdString(); }
    QByteArray FileBytes(const std::string& afm) {
        QFile f(QString::fromStdString(E1FileName(afm, base)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    QTemporaryDir dir;
    std::string base;
    ScriptedDialogs dialogs;
    DeclarationsStore store;
    RecordingStatementOpener statements;
    E1Record e1;
    E2Record e2;
    EngineState engine;
    std::unique_ptr<AppContext> context;
};

TEST_F(E1Window, BuiltFromTheFormModel) {
    auto w = Open();
    EXPECT_EQ(QApplication::focusWidget(), w->Control("edDoy"));
    // Focusing the window, as the main window does on opening it, focuses
    // its boxes: edDoy on page 1, the first box of another page.
    w->Control("edAFM")->setFocus();
    w->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), w->Control("edDoy"));
    w->Pages()->setCurrentIndex(2);
    w->setFocus();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(w->Pages()->currentWidget()->isAncestorOf(QApplication::focusWidget()));
    w->Pages()->setCurrentIndex(0);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8(kE1Caption));
    ASSERT_EQ(w->Pages()->count(), 5);
    EXPECT_EQ(w->Pages()->tabText(0), QStringLiteral("Σελίδα 1"));
    EXPECT_EQ(w->Pages()->tabText(4), QStringLiteral("Ειδικές Περιπτώσεις"));
    EXPECT_NE(w->Real("edP301"), nullptr);
    EXPECT_NE(w->Check("cbP327"), nullptr);
    EXPECT_NE(w->Real("edp093"), nullptr);
    EXPECT_FALSE(w->Control("edp093")->isVisible());
    EXPECT_NE(w->Int("edP205"), nullptr);
    EXPECT_NE(w->Check("cbP205"), nullptr);
    for (const char* action : {"miEka2003", "miSave", "miSaveAs", "miPreview", "miPrint"})
        EXPECT_NE(w->Action(action), nullptr) << action;
    EXPECT_EQ(w->Action("miPreview")->text(), QStringLiteral("Προεπισκόπηση "));
}

// Nothing is cut: every box lies on its page and a tick box's caption fits
// beside its square (or, at the smallest size, is shown on hovering).
TEST_F(E1Window, BoxesAndCaptionsFitTheirPages) {
    for (const Edition* edition : {&Edition2019(), &Edition2018()}) {
        auto w = Open(*edition);
        for (int page = 1; page <= 4; ++page)
            for (QWidget* box : w->PageScroll(page)->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                EXPECT_LE(box->geometry().right(), 964) << box->objectName().toStdString();
        for (QCheckBox* c : w->findChildren<QCheckBox*>()) {
            if (c->text().isEmpty()) continue;
            const bool fits = QFontMetrics(c->font()).horizontalAdvance(c->text()) <= c->width() - c->height() - 6;
            EXPECT_TRUE(fits || c->toolTip() == c->text()) << c->objectName().toStdString();
        }
    }
}

TEST_F(E1Window, TypeSaveReopenSameFieldsAndBytes) {
    {
        auto w = Open();
        Type(*w, "edAFM", "123456789");
        Type(*w, "edBigName", "ΠΑΠΑΔΟΠΟΥΛΟΣ");
        Type(*w, "edName", "ΓΙΩΡΓΟΣ");
        Type(*w, "edP301", "20000");
        Type(*w, "edP302", "0");
        Click(*w, "cbP327");
        Click(*w, "cbMarried");
        Type(*w, "edCarIppoi1", "1250");
        Type(*w, "edCarMonths1", "12");
        Type(*w, "edCarPosost1", "100");
        Type(*w, "edCarYear1", "16");
        Type(*w, "edP205", "15234");
        Click(*w, "cbP205");
        w->Check("cbTelos500F")->setChecked(true);
        w->Check("cbExairesiS")->setChecked(true);
        EXPECT_EQ(Text(*w, "edCarYear1"), "2016");
        EXPECT_EQ(Text(*w, "edP851"), "4.000,00");
        EXPECT_TRUE(w->Modified());
        ASSERT_TRUE(w->SaveE1());
        EXPECT_FALSE(w->Modified());
        EXPECT_EQ(dialogs.TextsOf(DialogKind::Message), std::vector<std::string>{kSavedMessage});
    }
    const QByteArray first = FileBytes("123456789");
    ASSERT_EQ(first.size(), 6991);
    e1.Clear();
    ASSERT_EQ(ReadE1File("123456789", e1, base), ReadResult::Read);
    // Postal code and tick of 205 are both entries 205; 093 carries the large-city tick.
    std::vector<CodeEntry> codes = e1.UsedCodes();
    auto has = [&](int code, double value) {
        return std::count(codes.begin(), codes.end(), CodeEntry{int16_t(code), value}) == 1;
    };
    EXPECT_TRUE(has(205, 1));
    EXPECT_TRUE(has(205, 15234));
    EXPECT_TRUE(has(93, 1));
    EXPECT_TRUE(has(302, 0));
    EXPECT_TRUE(has(327, 1));

    dialogs.Clear();
    auto w = Open();
    ASSERT_TRUE(w->OpenDeclaration("123456789"));
    EXPECT_FALSE(w->Modified());
    EXPECT_EQ(Text(*w, "edBigName"), "ΠΑΠΑΔΟΠΟΥΛΟΣ");
    EXPECT_EQ(Text(*w, "edP301"), "20.000,00");
    EXPECT_EQ(Text(*w, "edP302"), "0,00");
    EXPECT_EQ(Text(*w, "edP205"), "15234");
    EXPECT_TRUE(w->Check("cbP205")->isChecked());
    EXPECT_TRUE(w->Check("cbP327")->isChecked());
    EXPECT_TRUE(w->Check("cbMarried")->isChecked());
    EXPECT_TRUE(w->Check("cbTelos500F")->isChecked());
    EXPECT_TRUE(w->Check("cbExairesiS")->isChecked());
    EXPECT_EQ(Text(*w, "edCarIppoi1"), "1250");
    EXPECT_EQ(Text(*w, "edP851"), "4.000,00");
    EXPECT_EQ(Text(*w, "edP303"), "");
    dialogs.answers = {true};
    ASSERT_TRUE(w->SaveE1());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Question), std::vector<std::string>{kOverwriteQuestion});
    EXPECT_EQ(FileBytes("123456789"), first);
}

TEST_F(E1Window, EmptyDeclarationAndSaveAsZeroRegistration) {
    auto w = Open();
    e1.SetRegistrationNumber(77);
    ASSERT_TRUE(w->SaveE1As());
    // No tax number: warned, saved as Tables/E1.dta with an empty code table.
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message),
              (std::vector<std::string>{kNoTaxNumberWarning, kSavedMessage}));
    const QByteArray bytes = FileBytes("");
    ASSERT_EQ(bytes.size(), 6991);
    EXPECT_EQ(bytes.mid(4301, 1200), QByteArray(1200, '\0'));
    EXPECT_EQ(bytes.left(4), QByteArray(4, '\0'));
}

TEST_F(E1Window, SaveRefusalsAndFileErrors) {
    auto w = Open();
    Type(*w, "edAFM", "../evil");
    EXPECT_FALSE(w->SaveE1());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error), std::vector<std::string>{kUnsafeTaxNumberMessage});
    EXPECT_TRUE(w->Modified());

    // Tables is a plain file: the write fails, the flag stays raised.
    dialogs.Clear();
    QDir(dir.path()).rmdir("Tables");
    QFile blocker(dir.path() + "/Tables");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Type(*w, "edAFM", "123456789");
    EXPECT_FALSE(w->SaveE1());
    ASSERT_EQ(dialogs.TextsOf(DialogKind::Error).size(), 1u);
    EXPECT_TRUE(dialogs.TextsOf(DialogKind::Message).empty());
    EXPECT_TRUE(w->Modified());

    // A value that does not fit its field stops the save.
    blocker.remove();
    QDir(dir.path()).mkdir("Tables");
    dialogs.Clear();
    Type(*w, "edEkprot", "300");
    EXPECT_FALSE(w->SaveE1());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error).size(), 1u);
    EXPECT_FALSE(E1FileExists("123456789", base));

    // Answering No to the overwrite keeps the file and lowers the flag.
    Type(*w, "edEkprot", "3");
    ASSERT_TRUE(w->SaveE1());
    const QByteArray before = FileBytes("123456789");
    Type(*w, "edBigName", "ΑΛΛΟ");
    dialogs.answers = {false};
    EXPECT_FALSE(w->SaveE1());
    EXPECT_FALSE(w->Modified());
    EXPECT_EQ(FileBytes("123456789"), before);
}

TEST_F(E1Window, SaveAsZeroesTheNumberOnceAndOnlyWhenWritten) {
    e1.Clear();
    e1.SetText("edAFM", "123456789");
    e1.SetRegistrationNumber(4321);
    e1.SetCode(0, 301, 100);
    WriteE1File(e1, base);
    auto w = Open();
    ASSERT_TRUE(w->OpenDeclaration("123456789"));
    EXPECT_EQ(Text(*w, "edAACode"), "4321");
    for (int code = 101, filled = 0; filled < 151; ++code)
        if (auto* r = qobject_cast<TEditReal*>(w->CodeBox(code)); r && !r->isHidden()) {
            r->SetValue(code);
            ++filled;
        }
    // Answering No writes nothing and the declaration keeps its number.
    dialogs.answers = {false};
    EXPECT_FALSE(w->SaveE1As());
    EXPECT_EQ(e1.RegistrationNumber(), 4321);
    EXPECT_EQ(Text(*w, "edAACode"), "4321");
    dialogs.Clear();
    dialogs.answers = {true};
    ASSERT_TRUE(w->SaveE1As());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message), (std::vector<std::string>{kTooManyCodesMessage, kSavedMessage}));
    EXPECT_EQ(FileBytes("123456789").left(4), QByteArray(4, '\0'));
    EXPECT_EQ(Text(*w, "edAACode"), "");
    EXPECT_FALSE(w->Modified());
}

TEST_F(E1Window, AShortFileIsAnErrorAndLoadsNothing) {
    QFile shortFile(QString::fromStdString(E1FileName("123456789", base)));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(100, '\x05'));
    shortFile.close();
    auto w = Open();
    EXPECT_FALSE(w->OpenDeclaration("123456789"));
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error).size(), 1u);
    EXPECT_EQ(Text(*w, "edAFM"), "");
    EXPECT_FALSE(w->Modified());
}

TEST_F(E1Window, TooManyCodesKeepsTheFirst150) {
    auto w = Open();
    int filled = 0;
    std::vector<int> order;
    for (int code = 1; code <= 999 && filled < 151; ++code) {
        if (auto* r = qobject_cast<TEditReal*>(w->CodeBox(code)); r && !r->isHidden()) {
            r->SetValue(code);
            ++filled;
        }
    }
    ASSERT_EQ(filled, 151);
    ASSERT_TRUE(w->FillRecordFromWindow(e1));
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message), std::vector<std::string>{kTooManyCodesMessage});
    EXPECT_EQ(e1.UsedCodes().size(), 150u);
}

TEST_F(E1Window, PostalCodeAndTickOf205KeptApartByValue) {
    e1.Clear();
    e1.SetText("edAFM", "123456789");
    e1.SetCode(0, 205, 15234);  // the postal code box comes first in the window
    e1.SetCode(1, 205, 1);      // then the tick box
    WriteE1File(e1, base);
    auto w = Open();
    ASSERT_TRUE(w->OpenDeclaration("123456789"));
    EXPECT_EQ(Text(*w, "edP205"), "15234");
    EXPECT_TRUE(w->Check("cbP205")->isChecked());
    ASSERT_TRUE(w->FillRecordFromWindow(e1));
    EXPECT_EQ(e1.UsedCodes(), (std::vector<CodeEntry>{{205, 15234}, {205, 1}}));

    // A postal code alone does not tick the box.
    e1.Clear();
    e1.SetText("edAFM", "123456789");
    e1.SetCode(0, 205, 17121);
    WriteE1File(e1, base);
    ASSERT_TRUE(w->OpenDeclaration("123456789"));
    EXPECT_EQ(Text(*w, "edP205"), "17121");
    EXPECT_FALSE(w->Check("cbP205")->isChecked());
}

// Every field of the record has its box in both editions, so nothing of a
// file is dropped by the window.
TEST_F(E1Window, EveryRecordFieldHasItsBox) {
    for (const Edition* edition : {&Edition2019(), &Edition2018()}) {
        auto w = Open(*edition);
        for (const RecordField& f : E1Record::Fields())
            EXPECT_NE(w->Control(f.name), nullptr) << f.name << " " << edition->year;
    }
}

TEST_F(E1Window, CodesTheWindowLacksAreDroppedAtTheNextSave) {
    e1.Clear();
    e1.SetText("edAFM", "123456789");
    e1.SetCode(0, 313, 500);  // an edition-2018 box
    e1.SetCode(1, 301, 1234.5);
    WriteE1File(e1, base);
    auto w = Open();
    ASSERT_TRUE(w->OpenDeclaration("123456789"));
    EXPECT_EQ(Text(*w, "edP301"), "1.234,50");
    ASSERT_TRUE(w->FillRecordFromWindow(e1));
    const auto codes = e1.UsedCodes();
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0].code, 301);

    // The same file in edition 2018 keeps 313.
    auto old = Open(Edition2018());
    ASSERT_TRUE(old->OpenDeclaration("123456789"));
    EXPECT_EQ(Text(*old, "edP313"), "500,00");
}

TEST_F(E1Window, KeysMoveFocusPagesAndScroll) {
    auto w = Open();
    QWidget* doy = w->Control("edDoy");
    ASSERT_EQ(QApplication::focusWidget(), doy);
    Keys(doy, "Α");
    QTest::keyClick(doy, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), doy);
    EXPECT_EQ(Text(*w, "edDoy"), "Α");  // Enter typed nothing
    QWidget* next = QApplication::focusWidget();
    QTest::keyClick(next, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), doy);

    QTest::keyClick(doy, Qt::Key_PageDown);
    EXPECT_EQ(w->Pages()->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(w->PageScroll(2)->verticalScrollBar()->value(), 50);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ(w->Pages()->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(w->PageScroll(1)->verticalScrollBar()->value(), 400);
    EXPECT_EQ(w->PageScroll(3)->verticalScrollBar()->value(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(w->PageScroll(1)->verticalScrollBar()->value(), 0);

    // From the special-cases page Page Down wraps to page 1 and edDoy.
    w->Pages()->setCurrentIndex(4);
    QWidget* special = w->Control("edP931");
    special->setFocus();
    QTest::keyClick(special, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(w->Pages()->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), doy);
    QTest::keyClick(doy, Qt::Key_PageUp);
    EXPECT_EQ(w->Pages()->currentIndex(), 4);

    // Enter in the last box of a page goes round to the page's first box.
    w->Pages()->setCurrentIndex(4);
    QWidget* last = nullptr;
    QWidget* first = nullptr;
    for (QWidget* c = w->Control("edP931"); c; c = c->nextInFocusChain()) {
        if (c->isVisible() && (c->focusPolicy() & Qt::TabFocus) && w->isAncestorOf(c) && !c->objectName().isEmpty()) {
            if (!first) first = c;
            else if (c == first) break;
            last = c;
        }
    }
    ASSERT_NE(last, nullptr);
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    EXPECT_EQ(w->Pages()->currentIndex(), 4);
    EXPECT_EQ(QApplication::focusWidget(), w->Control("edP931"));

    // The wheel moves a page by 40 a notch; parts of a notch add up.
    w->Pages()->setCurrentIndex(1);
    QWidget* viewport = w->PageScroll(2)->viewport();
    QWheelEvent wheel(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    w->PageScroll(2)->verticalScrollBar()->setValue(0);
    QApplication::sendEvent(viewport, &wheel);
    EXPECT_EQ(w->PageScroll(2)->verticalScrollBar()->value(), 80);
    QWheelEvent part(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 60),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &part);
    EXPECT_EQ(w->PageScroll(2)->verticalScrollBar()->value(), 80);
    QApplication::sendEvent(viewport, &part);
    EXPECT_EQ(w->PageScroll(2)->verticalScrollBar()->value(), 40);
}

TEST_F(E1Window, ModifiedFlagRulesAndCloseQuestions) {
    auto w = Open();
    Type(*w, "edP251", "100");
    Click(*w, "cbTelos500F");  // special-cases tick boxes never raise it
    EXPECT_FALSE(w->Modified());
    w->close();
    EXPECT_TRUE(dialogs.TextsOf(DialogKind::Question).empty());

    // A page-1 tick raises it only when the residence result changes.
    w = Open();
    Click(*w, "cbP013");
    EXPECT_FALSE(w->Modified());
    Type(*w, "edP211", "100");
    Type(*w, "edP215", "12");
    Type(*w, "edP216", "3000");
    w->SetModified(false);
    Type(*w, "edP213", "100");  // leaving 213 fills 115
    EXPECT_EQ(Text(*w, "edP115"), "6.300,00");
    w->SetModified(false);
    Click(*w, "cbP013");
    EXPECT_FALSE(w->Modified());
    Click(*w, "cbP240");  // +20% changes 115
    EXPECT_EQ(Text(*w, "edP115"), "7.560,00");
    EXPECT_TRUE(w->Modified());

    // Esc with changes: No keeps the window; Yes closes it and the closing
    // question follows.
    dialogs.Clear();
    dialogs.answers = {false};
    QWidget* box = w->Control("edP211");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    dialogs.answers = {true, false};
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Question),
              (std::vector<std::string>{kEscapeQuestion, kEscapeQuestion, kCloseQuestion}));
    EXPECT_FALSE(E1FileExists("", base));
}

TEST_F(E1Window, GoingThroughFilledBoxesChangesNothing) {
    e1.Clear();
    e1.SetText("edAFM", "123456789");
    e1.SetCode(0, 301, 20000);
    e1.SetCode(1, 303, 1.5);
    WriteE1File(e1, base);
    auto w = Open();
    ASSERT_TRUE(w->OpenDeclaration("123456789"));
    for (const char* name : {"edP301", "edP303", "edP301"}) {
        QWidget* box = w->Control(name);
        box->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(w->Edit(name)->text().contains('.'), false) << name;  // plain while typed
    }
    w->Control("edAFM")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Text(*w, "edP301"), "20.000,00");
    EXPECT_FALSE(w->Modified());
    Type(*w, "edP301", "20001");
    EXPECT_TRUE(w->Modified());
}

TEST_F(E1Window, ClosingKeepsTheWindowWhenTheChosenSaveFails) {
    auto w = Open();
    Type(*w, "edAFM", "123456789");
    QDir(dir.path()).rmdir("Tables");
    QFile blocker(dir.path() + "/Tables");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    dialogs.answers = {true};
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error).size(), 1u);

    // Once it can be written, Yes saves and closes; No closes without saving.
    blocker.remove();
    QDir(dir.path()).mkdir("Tables");
    dialogs.answers = {true};
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(E1FileExists("123456789", base));
    w = Open();
    Type(*w, "edAFM", "987654321");
    dialogs.answers = {false};
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(E1FileExists("987654321", base));
}

TEST_F(E1Window, IncomeCategoryHook) {
    auto w = Open();
    // Ticking 2 and 5 of the 351/352 list: the one-choice message, 799 = 0.
    w->Real("edP799")->SetValue(1);
    dialogs.ExpectModal([](QDialog& d) {
        auto& dlg = static_cast<TfiSelectEisod&>(d);
        EXPECT_EQ(dlg.Page(), 5);
        dlg.List(5)->item(1)->setCheckState(Qt::Checked);
        dlg.List(5)->item(2)->setCheckState(Qt::Checked);  // the list has three entries
        dlg.SelectButton()->click();
    });
    Type(*w, "edP351", "1000");
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Modal), std::vector<std::string>{"fiSelectEisod"});
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message), std::vector<std::string>{kOneChoiceOnlyMessage});
    EXPECT_EQ(w->Real("edP799")->Value(), 0);

    // Leaving it empty clears 799 without a dialog.
    w->Real("edP799")->SetValue(2);
    dialogs.Clear();
    Type(*w, "edP351", "");
    EXPECT_TRUE(dialogs.TextsOf(DialogKind::Modal).empty());
    EXPECT_EQ(w->Real("edP799")->Value(), 0);

    // 659 with 299 = 3 opens its list with entry 3 ticked; choosing the
    // entry after the separator stores 13; Έξοδος keeps the old value.
    w->Real("edP299")->SetValue(3);
    dialogs.ExpectModal([](QDialog& d) {
        auto& dlg = static_cast<TfiSelectEisod&>(d);
        EXPECT_EQ(dlg.Page(), 0);
        EXPECT_EQ(dlg.List(0)->item(2)->checkState(), Qt::Checked);
        dlg.List(0)->item(2)->setCheckState(Qt::Unchecked);
        dlg.List(0)->item(12)->setCheckState(Qt::Checked);
        dlg.SelectButton()->click();
    });
    Type(*w, "edP659", "50");
    EXPECT_EQ(w->Real("edP299")->Value(), 13);
    dialogs.ExpectModal([](QDialog& d) { static_cast<TfiSelectEisod&>(d).ExitButton()->click(); });
    Type(*w, "edP659", "60");
    EXPECT_EQ(w->Real("edP299")->Value(), 13);
}

TEST_F(E1Window, CalculatorsRunFromTheirBoxes) {
    auto w = Open();
    // Boat 1: 6 m, living quarters, 2012, 12 months, 100%.
    Type(*w, "edScafosLen", "6");
    Type(*w, "edScafosMonths", "12");
    Type(*w, "edScafosPososto1", "100");
    Type(*w, "edP961", "12");
    EXPECT_EQ(Text(*w, "edP961"), "2012");
    Click(*w, "cbBoatType0");
    EXPECT_EQ(Text(*w, "edP711"), "10.200,00");
    Click(*w, "cbP319");  // tax resident abroad: no boat presumption
    Type(*w, "edScafosMonths", "12");
    EXPECT_EQ(Text(*w, "edP711"), "");

    Type(*w, "edDexamOutMetr", "70");
    Type(*w, "edDexamPosOut", "100");
    Type(*w, "edP740", "12");
    EXPECT_EQ(Text(*w, "edP765"), "12.800,00");

    // A reduction mark shows the legend while typed; a letter stops the cars.
    QWidget* mark = w->Control("edCarMeiwsi1");
    w->Pages()->setCurrentWidget(PageOf(mark));
    mark->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(w->ReductionLegend()->isVisible());
    Keys(mark, "x");
    Leave(*w, mark);
    EXPECT_FALSE(w->ReductionLegend()->isVisible());
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error), std::vector<std::string>{"'x' is not a valid integer value"});

    // Switch 992 keeps typed residence results.
    w->Real("edP992")->SetValue(1);
    Type(*w, "edP115", "123");
    Type(*w, "edP211", "100");
    EXPECT_EQ(Text(*w, "edP115"), "123,00");

    // Percentages over 100 of one residence: message and both cleared.
    dialogs.Clear();
    w->Real("edP992")->SetValue(0);
    Type(*w, "edP220", "60");
    Type(*w, "edP221", "50");
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Message), std::vector<std::string>{kPercentagesWrongMessage});
    EXPECT_EQ(Text(*w, "edP220"), "");
    EXPECT_EQ(Text(*w, "edP221"), "");
}

TEST_F(E1Window, ClearanceFeedsTheEngineAndTheOpener) {
    auto w = Open(Edition2019());
    Type(*w, "edAFM", "123456789");
    Type(*w, "edBigName", "ΠΑΠΑΣ");
    Type(*w, "edName", "ΝΙΚΟΣ");
    Type(*w, "edP301", "20000");
    Type(*w, "edP049", "2500");
    Type(*w, "edP315", "3000");
    Type(*w, "edEkprot", "2");
    w->Action("miEka2003")->trigger();
    ASSERT_EQ(statements.opened.size(), 1u);
    const StatementHeader& seen = statements.opened[0];
    EXPECT_EQ(engine.CodeValue[301], 20000);
    EXPECT_EQ(engine.LateMonths, 2);
    EXPECT_EQ(engine.SalaryIncome[T], 20000);
    EXPECT_EQ(seen.taxNumber, "123456789");
    EXPECT_EQ(seen.names, "ΠΑΠΑΣ ΝΙΚΟΣ");
    EXPECT_EQ(seen.taxpayerCodes,
              (std::vector<FilledCodeLine>{{"049", "2.500,00"}, {"301", "20.000,00"}, {"315", "3.000,00"}}));
    EXPECT_TRUE(seen.spouseCodes.empty());

    // Every filled code is listed, however many.
    int filled = 0;
    for (int code = 101; code <= 999 && filled < 30; code += 2)
        if (auto* r = qobject_cast<TEditReal*>(w->CodeBox(code))) {
            r->SetValue(1);
            ++filled;
        }
    EXPECT_GE(ListFilledCodes(w->Document()).taxpayer.size(), 30u);
}

}  // namespace
}  // namespace kestrana
