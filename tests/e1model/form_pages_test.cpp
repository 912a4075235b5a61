#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdlib>

#include "e1/model/form_model.h"
#include "editions/edition.h"
#include "form_page_painter.h"

namespace kestrana {
namespace {

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "test_formpages";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

QPoint OnPicture(double x, double y) {
    const double s = double(kFormPictureWidth) / kFormPageWidth;
    return QPoint(int(x * s), int(y * s));
}

bool IsWhite(QRgb c) { return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245; }

// The picture shows an empty framed box under every visible entry box, so a
// value typed or printed at the model position lands inside it.
TEST(FormPages, BoxesAreDrawnWhereTheModelPlacesThem) {
    App();
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        const FormModel& m = E1FormModel(*e);
        for (int page = 1; page <= 4; ++page) {
            QImage img = RenderFormPage(m, *e, page);
            ASSERT_EQ(img.width(), kFormPictureWidth);
            ASSERT_EQ(img.height(), FormPictureHeight());
            for (const FormControl* c : m.ControlsOfPage(page)) {
                if (!c->visible || c->kind == ControlKind::Button || c->kind == ControlKind::Picture) continue;
                const FormRect& r = c->rect;
                const double cx = c->kind == ControlKind::Check ? r.x + r.h / 2.0 : r.x + r.w / 2.0;
                EXPECT_TRUE(IsWhite(img.pixel(OnPicture(cx, r.y + r.h / 2.0)))) << c->name;
                // Frame: darker than the paper on the box's left edge.
                QPoint edge = OnPicture(r.x + 0.5, r.y + r.h / 2.0);
                int darkest = 255;
                for (int dx = -1; dx <= 1; ++dx) darkest = std::min(darkest, qGray(img.pixel(edge.x() + dx, edge.y())));
                EXPECT_LT(darkest, 180) << c->name;
            }
            // A heading band is tinted.
            for (const FormLabel* l : m.LabelsOfPage(page)) {
                if (l->style != LabelStyle::Heading) continue;
                QRgb band = img.pixel(OnPicture(l->rect.Right() - 3, l->rect.y + 3));
                EXPECT_FALSE(IsWhite(band)) << l->text;
                break;
            }
        }
    }
}

// Every heading, caption and code number is printed whole, shrunk or
// wrapped at most, never cut.
TEST(FormPages, NoTextIsCut) {
    App();
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        for (int page = 1; page <= 4; ++page) {
            std::vector<std::string> cut;
            RenderFormPage(E1FormModel(*e), *e, page, &cut);
            for (const std::string& text : cut) ADD_FAILURE() << "'" << text << "' cut on page " << page;
        }
    }
}

// The build writes the eight pictures into the program's WParams folder.
TEST(FormPages, BuildLeavesThePicturesInWParams) {
    App();
    const char* bin = std::getenv("KESTRANA_BIN_DIR");
    if (!bin) GTEST_SKIP() << "KESTRANA_BIN_DIR not set";
    QDir wparams(QString::fromLocal8Bit(bin) + "/WParams");
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        for (int page = 1; page <= 4; ++page) {
            const QString name = QString::fromStdString(e->E1PagePicture(page));
            QImage img(wparams.filePath(name));
            ASSERT_FALSE(img.isNull()) << name.toStdString();
            EXPECT_EQ(img.width(), kFormPictureWidth);
            EXPECT_EQ(img.height(), FormPictureHeight());
        }
    }
}

}  // namespace
}  // namespace kestrana
