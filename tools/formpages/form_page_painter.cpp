#include "form_page_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <QTextOption>

#include "e1/model/form_model.h"
#include "editions/edition.h"
#include "page_text.h"

namespace kestrana {

namespace {

using namespace pagepaint;

QRectF ToQt(const FormRect& r) { return QRectF(r.x, r.y, r.w, r.h); }

bool DrawLabel(QPainter& p, const FormLabel& l) {
    const QRectF r = ToQt(l.rect);
    const QString text = QString::fromUtf8(l.text.c_str());
    p.setPen(kInk);
    switch (l.style) {
        case LabelStyle::Title:
            p.fillRect(r, kTitleBand);
            return FitText(p, r.adjusted(6, 0, -6, 0), text, 12.5, true, Qt::AlignHCenter);
        case LabelStyle::Heading:
            p.fillRect(r, kHeadingBand);
            p.setPen(QPen(kFrame, 0.6));
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.setPen(kInk);
            return FitText(p, r.adjusted(5, 0, -5, 0), text, 10, true, Qt::AlignLeft);
        case LabelStyle::Caption:
            return FitText(p, r.adjusted(1, 0, 0, 0), text, 8, false, Qt::AlignLeft);
        case LabelStyle::ColumnHeader:
            p.fillRect(r, kHeadBand);
            return FitText(p, r.adjusted(1, 0, -1, 0), text, 8, true, Qt::AlignHCenter);
        case LabelStyle::CodeNumber:
            p.fillRect(r.adjusted(1, 1, 0, -1), kCodeBand);
            return FitText(p, r.adjusted(0, 0, -2, 0), text, 8.5, true, Qt::AlignRight);
        case LabelStyle::Note:
            return FitText(p, r, text, 8, false, Qt::AlignHCenter);
    }
    return true;
}

void DrawBox(QPainter& p, const FormControl& c) {
    if (!c.visible) return;
    QRectF r = ToQt(c.rect);
    switch (c.kind) {
        case ControlKind::Button:
        case ControlKind::Picture:
            return;  // the window's own widgets
        case ControlKind::Check: {
            // The square only; a caption ("NAI") belongs to the tick box itself.
            const double s = std::min(r.height(), r.width()) - 2;
            QRectF square(r.x() + 1, r.y() + (r.height() - s) / 2, s, s);
            p.fillRect(square, Qt::white);
            p.setPen(QPen(kFrame, 0.9));
            p.drawRect(square);
            return;
        }
        default:
            p.fillRect(r, Qt::white);
            p.setPen(QPen(kFrame, 0.8));
            p.drawRect(r.adjusted(0.4, 0.4, -0.4, -0.4));
            return;
    }
}

}  // namespace

int FormPictureHeight() {
    return (kFormPageHeight * kFormPictureWidth + kFormPageWidth / 2) / kFormPageWidth;
}

QImage RenderFormPage(const FormModel& model, const Edition&, int page, std::vector<std::string>* cutTexts) {
    QImage image(kFormPictureWidth, FormPictureHeight(), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi, so point sizes map to the page's dots
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double scale = double(kFormPictureWidth) / kFormPageWidth;
    p.scale(scale, scale);

    // A faint tint under the printed area, as on the paper form, framed.
    const QRectF paper(8, 8, kFormPageWidth - 16, kFormPageHeight - 16);
    p.fillRect(paper, kPaperTint);
    p.setPen(QPen(kFrame, 0.8));
    p.drawRect(paper);

    for (const FormLabel* l : model.LabelsOfPage(page))
        if (!DrawLabel(p, *l) && cutTexts) cutTexts->push_back(l->text);
    for (const FormControl* c : model.ControlsOfPage(page)) DrawBox(p, *c);

    p.setPen(kInk);
    p.setFont(Font(7.5, false));
    const QRectF foot(16, kFormPageHeight - 22, kFormPageWidth - 32, 12);
    p.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Σελίδα %1 από 4").arg(page));
    p.end();
    return image;
}

}  // namespace kestrana
