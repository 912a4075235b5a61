#include "page_text.h"

#include <QFontMetricsF>

namespace kestrana::pagepaint {

QFont Font(double pixels, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    f.setPointSizeF(pixels * 72.0 / 96.0);  // fractional sizes; the page is drawn at 96 dpi
    f.setBold(bold);
    return f;
}

bool FitText(QPainter& p, const QRectF& rect, const QString& text, double pixels, bool bold, int align) {
    auto oneLine = [&](double size) {
        QFont f = Font(size, bold);
        if (QFontMetricsF(f).horizontalAdvance(text) > rect.width()) return false;
        p.setFont(f);
        p.drawText(rect, align | Qt::AlignVCenter | Qt::TextSingleLine, text);
        return true;
    };
    if (oneLine(pixels)) return true;
    // A single word is shrunk rather than broken.
    for (double size = text.contains(u' ') ? pixels * 0.94 : 0; size >= pixels * 0.7; size -= 0.25) {
        QFont f = Font(size, bold);
        QRectF need = QFontMetricsF(f).boundingRect(rect, Qt::TextWordWrap | align, text);
        if (need.height() <= rect.height() + 1.5 && need.width() <= rect.width() + 0.5) {
            p.setFont(f);
            p.drawText(rect.adjusted(0, -1, 0, 1), Qt::TextWordWrap | align | Qt::AlignVCenter, text);
            return true;
        }
    }
    for (double size = pixels * 0.9; size >= pixels * 0.6; size -= 0.25)
        if (oneLine(size)) return true;
    QFont f = Font(pixels * 0.6, bold);
    p.setFont(f);
    p.drawText(rect, align | Qt::AlignVCenter, QFontMetricsF(f).elidedText(text, Qt::ElideRight, rect.width()));
    return false;
}

}  // namespace kestrana::pagepaint
