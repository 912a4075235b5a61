// Program entry of both editions; KESTRANA_EDITION_YEAR is set by the build.
#include <QApplication>
#include <QDir>
#include <QMainWindow>

#include "editions/edition.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program's own folder is the working folder: Tables and WParams live there.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const kestrana::Edition& edition = kestrana::EditionForYear(KESTRANA_EDITION_YEAR);
    QApplication::setApplicationName(QString::fromStdString(edition.title));
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(edition.caption));
    window.resize(1280, 900);
    window.show();
    return app.exec();
}
