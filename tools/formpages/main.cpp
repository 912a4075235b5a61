// kestrana-formpages OUTDIR: writes E1P<n>Color<yy>.jpg and E2P<n>Color<yy>.jpg
// of both editions.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "e1/model/form_model.h"
#include "e2/model/e2_form_model.h"
#include "e2_page_painter.h"
#include "editions/edition.h"
#include "form_page_painter.h"

namespace {

bool Save(const QImage& image, const QString& outDir, const std::string& name) {
    const QString path = QDir(outDir).filePath(QString::fromStdString(name));
    if (image.save(path, "JPEG", 92)) return true;
    std::fprintf(stderr, "kestrana-formpages: cannot write %s\n", path.toLocal8Bit().constData());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrana-formpages OUTDIR\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "kestrana-formpages: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const kestrana::Edition* e : {&kestrana::Edition2019(), &kestrana::Edition2018()}) {
        const kestrana::FormModel& model = kestrana::E1FormModel(*e);
        for (int page = 1; page <= 4; ++page)
            if (!Save(kestrana::RenderFormPage(model, *e, page), outDir, e->E1PagePicture(page))) return 1;
        const kestrana::E2Form& e2 = kestrana::E2FormModel(*e);
        for (int page = 1; page <= kestrana::kE2PageCount; ++page)
            if (!Save(kestrana::RenderE2Page(e2, page), outDir, e->E2PagePicture(page))) return 1;
    }
    return 0;
}
