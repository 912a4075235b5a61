#include "platform/qt_user_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

#include "platform/paths.h"

namespace kestrana {

namespace {

QString ToQ(const std::string& s) { return QString::fromStdString(s); }

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const std::string& text) {
    QMessageBox box(icon, title, ToQ(text), QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

QtUserDialogs::QtUserDialogs(QWidget* parent, QString title) : parent_(parent), title_(std::move(title)) {}

QString QtUserDialogs::Title() const {
    if (!title_.isEmpty()) return title_;
    QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

void QtUserDialogs::ShowMessage(const std::string& text) {
    ShowBox(parent_, QMessageBox::Information, Title(), text);
}

void QtUserDialogs::ShowError(const std::string& text) {
    ShowBox(parent_, QMessageBox::Critical, Title(), text);
}

bool QtUserDialogs::AskYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::Question, Title(), ToQ(text), QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(QString::fromUtf8("Ναι"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromUtf8("Όχι"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

bool QtUserDialogs::OpenDocument(const std::string& pathOrUrl) {
    QString target = ToQ(pathOrUrl);
    // Addresses go to the browser as they are; anything else is a file.
    if (target.contains(QStringLiteral("://"))) return QDesktopServices::openUrl(QUrl(target));
    QFileInfo file(ToQ(NativePath(pathOrUrl)));
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

bool QtUserDialogs::StartProgram(const std::string& path) {
    // A file of the working folder ("Upgrade/Setup.exe") is started by its
    // full path; a bare name is left to the search path.
    QFileInfo file(ToQ(NativePath(path)));
    QString program = file.exists() ? file.absoluteFilePath() : ToQ(path);
    return QProcess::startDetached(program, {});
}

int QtUserDialogs::Exec(QDialog& dialog) { return dialog.exec(); }

}  // namespace kestrana
