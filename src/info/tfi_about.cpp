#include "info/tfi_about.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "editions/edition.h"
#include "platform/modal_runner.h"
#include "platform/user_dialogs.h"

namespace kestrana {

QPixmap MakerLogo(int height) {
    const qreal k = height / 36.0;
    QPixmap pix(qRound(150 * k), height);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    p.setBrush(QColor(21, 101, 192));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(2, 4, 28, 28));
    p.setPen(Qt::white);
    p.setFont(QFont("Arial", 14, QFont::Bold));
    p.drawText(QRectF(2, 4, 28, 28), Qt::AlignCenter, "Κ");
    p.setPen(QColor(21, 101, 192));
    p.setFont(QFont("Arial", 13, QFont::Bold));
    p.drawText(QRectF(36, 0, 114, 36), Qt::AlignVCenter | Qt::AlignLeft, "ΚΕΣΤΡΑΝΑ");
    return pix;
}

TfiAbout::TfiAbout(const Edition& edition, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName("fiAbout");
    setWindowTitle(QString("Πληροφορίες για το \" Κεστράνα %1\"").arg(edition.year));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(10);

    auto* logos = new QHBoxLayout;
    for (const char* name : {"imLogo1", "imLogo2"}) {
        auto* logo = new QLabel(this);
        logo->setObjectName(name);
        logo->setPixmap(MakerLogo(name[6] == '1' ? 54 : 30));
        logo->setCursor(Qt::PointingHandCursor);
        logo->setToolTip(kMakerSite);
        logo->installEventFilter(this);
        logos->addWidget(logo, 0, Qt::AlignVCenter);
        logos->addStretch();
    }
    layout->addLayout(logos);

    auto* version = new QLabel(QString::fromStdString(edition.caption), this);
    version->setObjectName("lbVersion");
    version->setFont(QFont("Arial", 14, QFont::Bold));
    layout->addWidget(version);

    auto* about = new QLabel(
        QString("Συμπλήρωση της Δήλωσης Φορολογίας Εισοδήματος Ε1 και της Δήλωσης Μισθωμάτων "
                "Ακινήτων Ε2, υπολογισμός του εκκαθαριστικού σημειώματος για το οικονομικό έτος %1 "
                "(εισοδήματα %2).")
            .arg(edition.year)
            .arg(QString::fromStdString(edition.incomeYearText)),
        this);
    about->setWordWrap(true);
    layout->addWidget(about);

    auto* contact = new QLabel(
        "ΚΕΣΤΡΑΝΑ Λογισμικό\n"
        "Τηλ. υποστήριξης: 210 0000000\n"
        "Ηλ. ταχυδρομείο: support@kestrana.gr\n"
        "www.kestrana.gr",
        this);
    contact->setObjectName("lbContact");
    layout->addWidget(contact);

    auto* close = new QPushButton("Κλείσιμο", this);
    close->setObjectName("btClose");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    setFixedWidth(460);
}

bool TfiAbout::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        dialogs_.OpenDocument(kMakerSite);
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void ShowAbout(const Edition& edition, UserDialogs& dialogs, ModalRunner& modal, QWidget* parent) {
    TfiAbout about(edition, dialogs, parent);
    modal.Exec(about);
}

}  // namespace kestrana
