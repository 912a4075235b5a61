#include "update/window/transfer_panels.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QStatusBar>

#include "update/update_protocol.h"

namespace kestrana {

TransferPanels::TransferPanels(QWidget* owner) : bar_(new QStatusBar(owner)) {
    bar_->setObjectName("sbInfo");
    bar_->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(bar_);
        panels_[i]->setObjectName(QString("sbInfoPanel%1").arg(i));
        panels_[i]->setFixedWidth(220);
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar_->addWidget(panels_[i]);
    }
    progress_ = new QProgressBar(owner);
    progress_->setObjectName("pbInfo");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setFixedHeight(16);
}

void TransferPanels::Show(const TransferView& view) {
    panels_[0]->setText(QString::fromStdString(view.received));
    panels_[1]->setText(QString::fromStdString(view.total));
    if (view.percent) progress_->setValue(*view.percent);
}

QString TransferPanels::PanelText(int panel) const { return panels_[panel]->text(); }

int TransferPanels::Position() const { return progress_->value(); }

QPixmap UpdatePicture(int size) {
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // The globe.
    p.setPen(QPen(QColor(21, 101, 192), 3));
    p.setBrush(QColor(227, 242, 253));
    p.drawEllipse(QRectF(4, 4, 50, 50));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(17, 4, 24, 50));
    p.drawLine(QPointF(4, 29), QPointF(54, 29));
    p.drawLine(QPointF(29, 4), QPointF(29, 54));
    // The arrow coming down from it.
    QPainterPath arrow;
    arrow.moveTo(42, 36);
    arrow.lineTo(54, 36);
    arrow.lineTo(54, 48);
    arrow.lineTo(61, 48);
    arrow.lineTo(48, 62);
    arrow.lineTo(35, 48);
    arrow.lineTo(42, 48);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(46, 125, 50));
    p.drawPath(arrow);
    return pix;
}

}  // namespace kestrana
