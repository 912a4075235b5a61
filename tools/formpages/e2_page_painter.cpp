#include "e2_page_painter.h"

#include <QPainter>
#include <QString>

#include "e2/model/e2_form_model.h"
#include "page_text.h"

namespace kestrana {

namespace {

using namespace pagepaint;

QRectF ToQt(const E2Rect& r) { return QRectF(r.x, r.y, r.w, r.h); }

bool DrawLabel(QPainter& p, const E2Label& l) {
    const QRectF r = ToQt(l.rect);
    const QString text = QString::fromUtf8(l.text.c_str());
    p.setPen(kInk);
    switch (l.style) {
        case E2LabelStyle::Title:
            p.fillRect(r, kTitleBand);
            return FitText(p, r.adjusted(6, 0, -6, 0), text, 13, true, Qt::AlignHCenter);
        case E2LabelStyle::Heading:
            p.fillRect(r, kHeadingBand);
            return FitText(p, r.adjusted(5, 0, -5, 0), text, 10, true, Qt::AlignLeft);
        case E2LabelStyle::ColumnHeader:
            p.fillRect(r, kHeadBand);
            return FitText(p, r.adjusted(1, 0, -1, 0), text, 8, true, Qt::AlignHCenter);
        case E2LabelStyle::Caption:
            return FitText(p, r.adjusted(1, 0, 0, 0), text, 9, false, Qt::AlignLeft);
        case E2LabelStyle::Note:
            return FitText(p, r, text, 8, false, Qt::AlignHCenter);
    }
    return true;
}

void DrawBox(QPainter& p, const E2Control& c) {
    if (!c.visible || !c.IsEntry()) return;  // buttons and row numbers are the window's own widgets
    const QRectF r = ToQt(c.rect);
    p.fillRect(r, Qt::white);
    p.setPen(QPen(kFrame, 0.8));
    p.drawRect(r.adjusted(0.4, 0.4, -0.4, -0.4));
}

}  // namespace

int E2PictureHeight() { return (kE2PageHeight * kE2PictureWidth + kE2PageWidth / 2) / kE2PageWidth; }

QImage RenderE2Page(const E2Form& form, int page, std::vector<std::string>* cutTexts) {
    QImage image(kE2PictureWidth, E2PictureHeight(), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi, so point sizes map to the page's dots
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double scale = double(kE2PictureWidth) / kE2PageWidth;
    p.scale(scale, scale);

    const QRectF paper(6, 6, kE2PageWidth - 12, kE2PageHeight - 12);
    p.fillRect(paper, kPaperTint);
    p.setPen(QPen(kFrame, 0.8));
    p.drawRect(paper);

    for (const E2Label* l : form.LabelsOfPage(page))
        if (!DrawLabel(p, *l) && cutTexts) cutTexts->push_back(l->text);
    for (const E2Line* l : form.LinesOfPage(page)) {
        p.setPen(QPen(kFrame, l->heavy ? 1.2 : 0.6));
        p.drawLine(QLineF(l->x1, l->y1, l->x2, l->y2));
    }
    for (const E2Control* c : form.ControlsOfPage(page)) DrawBox(p, *c);
    p.end();
    return image;
}

}  // namespace kestrana
