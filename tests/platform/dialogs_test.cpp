// The scripted dialogs and the modal runner, as the window tests use them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/modal_runner.h"
#include "platform/qt_user_dialogs.h"
#include "platform/scripted_dialogs.h"

using namespace kestrana;

namespace {

// A small modal window of the kind the program opens: a box and OK/Cancel.
class AskName : public QDialog {
public:
    AskName() {
        setObjectName("fiAskName");
        auto* layout = new QVBoxLayout(this);
        name = new QLineEdit(this);
        buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        layout->addWidget(name);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }
    QLineEdit* name;
    QDialogButtonBox* buttons;
};

// What a window does: opens the dialog through the seam it was given.
std::string AskForName(ModalRunner& modal) {
    AskName dialog;
    if (modal.Exec(dialog) != QDialog::Accepted) return "-";
    return dialog.name->text().toStdString();
}

TEST(ScriptedDialogs, RecordsEveryTextInOrderAndAnswersFromTheQueue) {
    ScriptedDialogs d;
    d.answers = {true, false};
    d.ShowMessage("Δεν υπάρχει καταχωρημένη καμία δήλωση.");
    EXPECT_TRUE(d.AskYesNo("q1"));
    d.ShowError("'x' is not a valid integer value");
    EXPECT_FALSE(d.AskYesNo("q2"));
    EXPECT_FALSE(d.AskYesNo("q3"));  // queue empty: the default answer
    d.defaultAnswer = true;
    EXPECT_TRUE(d.AskYesNo("q4"));
    d.openDocumentResult = false;
    EXPECT_FALSE(d.OpenDocument("filadio2019.pdf"));
    EXPECT_TRUE(d.StartProgram("Upgrade/Setup.exe"));

    EXPECT_EQ(d.shown, (std::vector<ShownDialog>{
                           {DialogKind::Message, "Δεν υπάρχει καταχωρημένη καμία δήλωση."},
                           {DialogKind::Question, "q1"},
                           {DialogKind::Error, "'x' is not a valid integer value"},
                           {DialogKind::Question, "q2"},
                           {DialogKind::Question, "q3"},
                           {DialogKind::Question, "q4"},
                           {DialogKind::OpenDocument, "filadio2019.pdf"},
                           {DialogKind::StartProgram, "Upgrade/Setup.exe"},
                       }));
    EXPECT_EQ(d.TextsOf(DialogKind::Question), (std::vector<std::string>{"q1", "q2", "q3", "q4"}));
}

TEST(ScriptedDialogs, DrivesModalWindowsThroughTheirOwnButtons) {
    ScriptedDialogs d;
    d.ExpectModal([](QDialog& shown) {
        auto& dialog = static_cast<AskName&>(shown);
        EXPECT_TRUE(dialog.isVisible());
        dialog.name->setText("ΠΑΠΑΔΟΠΟΥΛΟΣ");
        dialog.buttons->button(QDialogButtonBox::Ok)->click();
    });
    d.ExpectModal([](QDialog& shown) {
        static_cast<AskName&>(shown).name->setText("ignored");
        static_cast<AskName&>(shown).buttons->button(QDialogButtonBox::Cancel)->click();
    });
    d.ExpectModal(QDialog::Accepted);  // a result without touching the window

    EXPECT_EQ(AskForName(d), "ΠΑΠΑΔΟΠΟΥΛΟΣ");
    EXPECT_EQ(AskForName(d), "-");
    EXPECT_EQ(AskForName(d), "");
    EXPECT_EQ(d.PendingModals(), 0u);
    EXPECT_EQ(AskForName(d), "-");  // nobody scripted it: rejected
    EXPECT_EQ(d.TextsOf(DialogKind::Modal), std::vector<std::string>(4, "fiAskName"));
}

// Clicks the button captioned `caption` of the message box about to open and
// notes what the box showed.
void AnswerNextBox(const QString& caption, QStringList& seen) {
    QTimer::singleShot(0, [caption, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen << box->windowTitle() << box->text();
        for (QAbstractButton* b : box->buttons()) seen << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption) return b->click();
        box->done(0);  // no such button: the test fails instead of hanging
    });
}

TEST(QtUserDialogs, AsksWithGreekButtons) {
    QtUserDialogs dialogs(nullptr, QString::fromUtf8("ΚΕΣΤΡΑΝΑ 2019"));
    const std::string question = "Να γίνει διαγραφή όλων των αρχείων;  Προσοχή";
    QStringList seen;
    AnswerNextBox(QString::fromUtf8("Ναι"), seen);
    EXPECT_TRUE(dialogs.AskYesNo(question));
    EXPECT_EQ(seen, (QStringList{QString::fromUtf8("ΚΕΣΤΡΑΝΑ 2019"), QString::fromStdString(question),
                                 QString::fromUtf8("Ναι"), QString::fromUtf8("Όχι")}));
    seen.clear();
    AnswerNextBox(QString::fromUtf8("Όχι"), seen);
    EXPECT_FALSE(dialogs.AskYesNo(question));
    seen.clear();
    AnswerNextBox("OK", seen);
    dialogs.ShowError("'x' is not a valid integer value");
    EXPECT_EQ(seen.value(1), "'x' is not a valid integer value");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
