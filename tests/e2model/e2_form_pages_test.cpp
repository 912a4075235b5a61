// The generated E2 page pictures: an empty framed box under every visible
// entry box of the model, so a value typed or printed there lands on it.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdlib>

#include "e2/model/e2_form_model.h"
#include "e2_page_painter.h"
#include "editions/edition.h"

namespace kestrana {
namespace {

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "test_e2formpages";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

QPoint OnPicture(double x, double y) {
    const double s = double(kE2PictureWidth) / kE2PageWidth;
    return QPoint(int(x * s), int(y * s));
}

bool IsWhite(QRgb c) { return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245; }

TEST(E2FormPages, BoxesAreDrawnWhereTheModelPlacesThem) {
    App();
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        const E2Form& form = E2FormModel(*e);
        for (int page = 1; page <= kE2PageCount; ++page) {
            QImage img = RenderE2Page(form, page);
            ASSERT_EQ(img.width(), kE2PictureWidth);
            ASSERT_EQ(img.height(), E2PictureHeight());
            int boxes = 0;
            for (const E2Control* c : form.ControlsOfPage(page)) {
                if (!c->visible || !c->IsEntry()) continue;
                ++boxes;
                const E2Rect& r = c->rect;
                EXPECT_TRUE(IsWhite(img.pixel(OnPicture(r.x + r.w / 2.0, r.y + r.h / 2.0)))) << c->name;
                // Frame: darker than the paper on the box's left edge.
                const QPoint edge = OnPicture(r.x + 0.3, r.y + r.h / 2.0);
                int darkest = 255;
                for (int dx = -1; dx <= 1; ++dx) darkest = std::min(darkest, qGray(img.pixel(edge.x() + dx, edge.y())));
                EXPECT_LT(darkest, 200) << c->name;
            }
            EXPECT_GT(boxes, 50);
            // The grid runs between the rows: the cell border above row 2 is drawn.
            const E2Control* second = form.Find(page == 1 ? "edTopos2" : "edPin2Topos2");
            const QPoint border = OnPicture(second->rect.x + 20, second->rect.y - 3);
            int darkest = 255;
            for (int dy = -1; dy <= 1; ++dy) darkest = std::min(darkest, qGray(img.pixel(border.x(), border.y() + dy)));
            EXPECT_LT(darkest, 200);
        }
    }
}

TEST(E2FormPages, NoTextIsCut) {
    App();
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        for (int page = 1; page <= kE2PageCount; ++page) {
            std::vector<std::string> cut;
            RenderE2Page(E2FormModel(*e), page, &cut);
            for (const std::string& text : cut) ADD_FAILURE() << "'" << text << "' cut on page " << page;
        }
    }
}

// The build writes the four pictures into the program's WParams folder.
TEST(E2FormPages, BuildLeavesThePicturesInWParams) {
    App();
    const char* bin = std::getenv("KESTRANA_BIN_DIR");
    if (!bin) GTEST_SKIP() << "KESTRANA_BIN_DIR not set";
    QDir wparams(QString::fromLocal8Bit(bin) + "/WParams");
    for (const Edition* e : {&Edition2019(), &Edition2018()}) {
        for (int page = 1; page <= kE2PageCount; ++page) {
            const QString name = QString::fromStdString(e->E2PagePicture(page));
            QImage img(wparams.filePath(name));
            ASSERT_FALSE(img.isNull()) << name.toStdString();
            EXPECT_EQ(img.width(), kE2PictureWidth);
            EXPECT_EQ(img.height(), E2PictureHeight());
        }
    }
    EXPECT_EQ(Edition2019().E2PagePicture(2), "E2P2Color19.jpg");
    EXPECT_EQ(Edition2018().E2PagePicture(1), "E2P1Color18.jpg");
}

}  // namespace
}  // namespace kestrana
