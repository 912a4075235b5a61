// The entry controls driven offscreen: keys typed into them, focus moved in
// and out, messages read back from the scripted dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "platform/scripted_dialogs.h"
#include "controls/edit_afm.h"
#include "controls/edit_int.h"
#include "controls/edit_real.h"
#include "records/amount_text.h"

using namespace kestrana;

namespace {

// A window that counts the keys reaching it, to see what the boxes let through.
class Form : public QWidget {
public:
    int keysReachingForm = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        ++keysReachingForm;
        event->accept();
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form);
        real = new TEditReal(dialogs, &form);
        real->setObjectName("edP301");
        whole = new TEditInt(dialogs, &form);
        whole->setObjectName("edP931");
        afm = new TEditAFM(&form);
        afm->setObjectName("edAFM");
        other = new QLineEdit(&form);
        for (QWidget* w : {static_cast<QWidget*>(real), static_cast<QWidget*>(whole), static_cast<QWidget*>(afm), static_cast<QWidget*>(other)})
            layout->addWidget(w);
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        other->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    static void Focus(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    void Leave() { Focus(other); }

    // Enters the box, types `keys`, leaves.
    void TypeInto(QLineEdit* box, const QString& keys) {
        Focus(box);
        QTest::keyClicks(box, keys);
        Leave();
    }

    std::vector<std::string> Errors() const { return dialogs.TextsOf(DialogKind::Error); }

    ScriptedDialogs dialogs;
    Form form;
    TEditReal* real = nullptr;
    TEditInt* whole = nullptr;
    TEditAFM* afm = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(ControlsTest, AmountIsRewrittenOnLeavingBeforeTheExitNotificationAndPlainOnEntering) {
    QString textAtExit;
    double valueAtExit = -1;
    QObject::connect(real, &TEditReal::exited, [&] {
        textAtExit = real->text();
        valueAtExit = real->Value();
    });

    TypeInto(real, "1234,5");
    EXPECT_EQ(real->text(), "1.234,50");
    EXPECT_EQ(real->Value(), 1234.5);
    EXPECT_EQ(textAtExit, "1.234,50");
    EXPECT_EQ(valueAtExit, 1234.5);

    Focus(real);
    EXPECT_EQ(real->text(), "1234,50");
    EXPECT_EQ(real->selectedText(), "1234,50");
    EXPECT_EQ(real->Value(), 1234.5);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(ControlsTest, AmountKeyFilter) {
    struct Case {
        const char* keys;
        const char* text;  // while still in the box
    } cases[] = {
        {"12.5", "12,5"},     // the thousands key gives the decimal comma
        {"1,2,3", "1,23"},    // a second comma is refused
        {"1,2.3", "1,23"},    // also when it comes from the thousands key
        {"1a2 b+3", "123"},   // anything else is refused
        {"-12", "-12"},
        {"1-2", "1-2"},       // "-" is taken anywhere (and then does not read)
    };
    for (const Case& c : cases) {
        Focus(real);
        real->clear();
        QTest::keyClicks(real, c.keys);
        EXPECT_EQ(real->text(), c.text) << c.keys;
    }
}

TEST_F(ControlsTest, EnterIsSwallowedByTheNumericBoxesOnly) {
    QSignalSpy realReturn(real, &QLineEdit::returnPressed);
    QTest::keyClicks(real, "12");
    QTest::keyClick(real, Qt::Key_Return);
    QTest::keyClick(real, Qt::Key_Enter);
    QTest::keyClicks(whole, "7");
    QTest::keyClick(whole, Qt::Key_Return);
    EXPECT_EQ(real->text(), "12");
    EXPECT_EQ(whole->text(), "7");
    EXPECT_EQ(realReturn.count(), 0);
    EXPECT_EQ(form.keysReachingForm, 0);

    QTest::keyClick(afm, Qt::Key_Return);
    EXPECT_EQ(form.keysReachingForm, 1);
}

TEST_F(ControlsTest, CommaInsideTheSelectionMayBeOvertyped) {
    real->SetValue(1234.5);
    Focus(real);  // "1234,50", all selected
    QTest::keyClicks(real, "0,5");
    EXPECT_EQ(real->text(), "0,5");
    Leave();
    EXPECT_EQ(real->text(), "0,50");
    EXPECT_EQ(real->Value(), 0.5);
}

TEST_F(ControlsTest, LeavingKeepsFullPrecisionWhileSetValueRoundsToTheShownCents) {
    TypeInto(real, "1,005");
    EXPECT_EQ(real->text(), "1,01");
    EXPECT_EQ(real->Value(), 1.005);

    real->SetValue(1.005);
    EXPECT_EQ(real->text(), "1,01");
    EXPECT_EQ(real->Value(), 1.01);

    real->SetValue(-20);
    EXPECT_EQ(real->text(), "-20,00");
    real->SetValue(0.004);
    EXPECT_EQ(real->text(), "0,00");
    EXPECT_EQ(real->Value(), 0.0);
}

TEST_F(ControlsTest, ZeroEmptyAndMinusReadAsZero) {
    real->SetValue(5);
    real->SetValue(0);
    EXPECT_EQ(real->text(), "");
    EXPECT_EQ(real->Value(), 0.0);
    whole->SetValue(5);
    whole->SetValue(0);
    EXPECT_EQ(whole->text(), "");
    EXPECT_EQ(whole->Value(), 0);

    Focus(real);
    QTest::keyClicks(real, "-");
    EXPECT_EQ(real->Value(), 0.0);
    real->clear();
    Focus(whole);
    QTest::keyClicks(whole, "-");
    EXPECT_EQ(whole->Value(), 0);
    EXPECT_TRUE(Errors().empty());

    // Empty on leaving: 0, and the exit notification runs.
    QSignalSpy exits(real, &TEditReal::exited);
    Focus(real);
    real->clear();
    Leave();
    EXPECT_EQ(real->Value(), 0.0);
    EXPECT_EQ(exits.count(), 1);
}

TEST_F(ControlsTest, ProgrammaticChangesNotifyWithTheValueAlreadySet) {
    std::vector<double> seen;
    QObject::connect(real, &TEditReal::changed, [&] { seen.push_back(real->Value()); });
    QSignalSpy wholeChanges(whole, &TEditInt::changed);
    QSignalSpy afmChanges(afm, &TEditAFM::changed);

    real->SetValue(1234.5);
    real->setText("7");
    whole->SetValue(3);
    afm->setText("123");
    EXPECT_EQ(seen, (std::vector<double>{1234.5, 7}));
    EXPECT_EQ(wholeChanges.count(), 1);
    EXPECT_EQ(afmChanges.count(), 1);
}

TEST_F(ControlsTest, UnreadableAmountIsReportedAndTheExitNotificationDoesNotRun) {
    QSignalSpy exits(real, &TEditReal::exited);
    real->SetValue(12);
    Focus(real);
    QTest::keyClicks(real, "5-");  // reported as typed
    ASSERT_EQ(Errors(), (std::vector<std::string>{"'5-' is not a valid floating point value"}));
    Leave();
    EXPECT_EQ(Errors().size(), 2u);
    EXPECT_EQ(Errors().back(), "'5-' is not a valid floating point value");
    EXPECT_EQ(real->text(), "5-");
    EXPECT_EQ(real->Value(), 0.0);
    EXPECT_EQ(exits.count(), 0);

    // A lone "-" reads as 0 while typing, but is no number to leave with.
    dialogs.Clear();
    TypeInto(real, "-");
    EXPECT_EQ(Errors(), (std::vector<std::string>{"'-' is not a valid floating point value"}));
    EXPECT_EQ(exits.count(), 0);
}

TEST_F(ControlsTest, FocusLostToAnotherWindowIsNotLeavingTheBox) {
    QSignalSpy exits(real, &TEditReal::exited);
    auto send = [](QWidget* w, QEvent::Type type, Qt::FocusReason reason) {
        QFocusEvent event(type, reason);
        QApplication::sendEvent(w, &event);
    };
    Focus(real);
    QTest::keyClicks(real, "1234");
    // A message box comes up and goes: no rewrite, no exit, no select-all.
    send(real, QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(real->text(), "1234");
    EXPECT_EQ(exits.count(), 0);
    send(real, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(real->selectedText(), "");
    Leave();
    EXPECT_EQ(real->text(), "1.234,00");
    EXPECT_EQ(exits.count(), 1);

    // A window that opens with the focus on the box: that is entering it.
    send(real, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(real->text(), "1234,00");
    EXPECT_EQ(real->selectedText(), "1234,00");
}

TEST_F(ControlsTest, BoxesAreFoundByNameAndPublishValueAndAlignment) {
    EXPECT_EQ(qobject_cast<TEditReal*>(form.findChild<QLineEdit*>("edP301")), real);
    EXPECT_EQ(qobject_cast<TEditInt*>(form.findChild<QLineEdit*>("edP931")), whole);
    EXPECT_EQ(qobject_cast<TEditReal*>(form.findChild<QLineEdit*>("edP931")), nullptr);

    EXPECT_EQ(real->Alignment(), Qt::AlignRight);
    EXPECT_TRUE(real->setProperty("Alignment", QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter))));
    EXPECT_EQ(real->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(whole->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    real->setProperty("Value", 1.5);
    EXPECT_EQ(real->text(), "1,50");
    EXPECT_EQ(whole->setProperty("Value", 42), true);
    EXPECT_EQ(whole->property("Value").toInt(), 42);
}

TEST_F(ControlsTest, WholeNumberKeyFilterAndReading) {
    struct Case {
        const char* keys;
        const char* text;
        int value;
    } cases[] = {
        {"a1b2", "12", 12},
        {"1.5", "15", 15},  // no decimals in a whole-number box
        {"1,5", "15", 15},
        {"-7", "-7", -7},
        {"2147483647", "2147483647", 2147483647},
    };
    for (const Case& c : cases) {
        Focus(whole);
        whole->clear();
        QTest::keyClicks(whole, c.keys);
        EXPECT_EQ(whole->text(), c.text) << c.keys;
        EXPECT_EQ(whole->Value(), c.value) << c.keys;
    }
    EXPECT_TRUE(Errors().empty());

    whole->SetValue(-42);
    EXPECT_EQ(whole->text(), "-42");
    EXPECT_EQ(whole->Value(), -42);
}

TEST_F(ControlsTest, UnreadableWholeNumberIsReportedAndKeepsTheValue) {
    QSignalSpy exits(whole, &TEditInt::exited);
    whole->SetValue(5);
    Focus(whole);
    whole->setText("99999999999");
    EXPECT_EQ(Errors(), (std::vector<std::string>{"'99999999999' is not a valid integer value"}));
    EXPECT_EQ(whole->Value(), 5);
    Leave();
    EXPECT_EQ(exits.count(), 1);
}

TEST_F(ControlsTest, TaxNumberTurnsRedOnLeavingAndBackOnEntering) {
    QFont designed = afm->font();
    designed.setPointSize(11);
    designed.setItalic(true);
    afm->setFont(designed);
    QPalette palette = afm->palette();
    palette.setColor(QPalette::Text, Qt::blue);
    palette.setColor(QPalette::Base, Qt::yellow);
    afm->setPalette(palette);
    afm->setToolTip("Α.Φ.Μ.");
    afm->SetShowHint(false);

    bool redAtExit = true;
    QObject::connect(afm, &TEditAFM::exited, [&] { redAtExit = afm->IsMarkedInvalid(); });

    TypeInto(afm, "123456789");  // the check digit should be 3
    EXPECT_FALSE(redAtExit);     // the exit notification runs before the check
    EXPECT_TRUE(afm->IsMarkedInvalid());
    EXPECT_EQ(afm->text(), "123456789");
    EXPECT_EQ(afm->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(afm->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_TRUE(afm->font().bold());
    EXPECT_EQ(afm->toolTip(), QString::fromUtf8("Το ΑΦΜ που δώσατε δεν είναι σωστό"));
    EXPECT_TRUE(afm->ShowHint());

    Focus(afm);
    EXPECT_FALSE(afm->IsMarkedInvalid());
    EXPECT_EQ(afm->palette().color(QPalette::Base), QColor(Qt::yellow));
    EXPECT_EQ(afm->palette().color(QPalette::Text), QColor(Qt::blue));
    EXPECT_FALSE(afm->font().bold());
    EXPECT_TRUE(afm->font().italic());
    EXPECT_EQ(afm->font().pointSize(), 11);
    EXPECT_EQ(afm->toolTip(), "Α.Φ.Μ.");
    EXPECT_FALSE(afm->ShowHint());

    afm->setText("ΑΒ123456783");  // judged by its last nine
    Leave();
    EXPECT_FALSE(afm->IsMarkedInvalid());
    EXPECT_EQ(afm->palette().color(QPalette::Base), QColor(Qt::yellow));
    EXPECT_EQ(afm->toolTip(), "Α.Φ.Μ.");

    // Red twice in a row still restores the designed look, not the red one.
    TypeInto(afm, "1");
    Focus(afm);
    Leave();
    EXPECT_TRUE(afm->IsMarkedInvalid());
    Focus(afm);
    EXPECT_EQ(afm->palette().color(QPalette::Base), QColor(Qt::yellow));
    EXPECT_FALSE(afm->font().bold());
}

// Share of a widget's pixels close to a colour, as it is drawn.
double ShareOf(QWidget* w, QColor colour) {
    const QImage image = w->grab().toImage();
    int near = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) < 60)
                ++near;
        }
    return double(near) / (image.width() * image.height());
}

// The red look shows whatever style sheet the window around the box has.
TEST_F(ControlsTest, TaxNumberShowsRedUnderAWindowStyleSheet) {
    form.setStyleSheet("QLineEdit { background: rgba(255,255,255,200); border: 1px solid #9db3cc; }"
                       "QLineEdit:focus { background: #fff7c0; }");
    TypeInto(afm, "123456789");
    ASSERT_TRUE(afm->IsMarkedInvalid());
    EXPECT_GT(ShareOf(afm, Qt::red), 0.5);
    EXPECT_GT(ShareOf(afm, Qt::white), 0.005);  // the digits
    Focus(afm);
    EXPECT_LT(ShareOf(afm, Qt::red), 0.01);
}

// An amount holds at most 15 significant digits; what it holds is shown whole.
TEST_F(ControlsTest, AmountRefusesMoreDigitsThanItCanHoldAndShowsItsTextWhole) {
    TypeInto(real, "99999999999999999999");
    EXPECT_EQ(dialogs.TextsOf(DialogKind::Error), std::vector<std::string>(5, kTooManyDigitsMessage));
    EXPECT_EQ(real->text(), "999.999.999.999.999,00");
    EXPECT_EQ(real->Value(), 999999999999999.0);
    real->resize(80, real->height());
    EXPECT_LE(QFontMetrics(real->font()).horizontalAdvance(real->text()), real->contentsRect().width());
    // Leading zeros and decimals count as the number does.
    dialogs.Clear();
    TypeInto(real, "0,000123456789012345");
    EXPECT_TRUE(dialogs.TextsOf(DialogKind::Error).empty());
    real->SetValue(12);
    EXPECT_EQ(real->font(), form.font());  // a short text takes the designed size again
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
