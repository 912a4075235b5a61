#include "e1/window/tfi_select_eisod.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "e1/calc/income_categories.h"
#include "platform/user_dialogs.h"

namespace kestrana {

const char* const kOneChoiceOnlyMessage = "Δεν μπορείτε να επιλέξετε πάνω από μία επιλογή";

TfiSelectEisod::TfiSelectEisod(const Edition& edition, UserDialogs& dialogs, int page, int current,
                               QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), page_(page) {
    setObjectName(QStringLiteral("fiSelectEisod"));
    setWindowTitle(QStringLiteral("Επιλογή κατηγορίας εισοδήματος"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Επιλέξτε την προέλευση των εισοδημάτων"), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title->setFont(bold);
    layout->addWidget(title);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageCodes"));
    const auto& captions = IncomeCategoryPages();
    for (int p = 0; p < 6; ++p) {
        auto* list = new QListWidget(pages_);
        list->setObjectName(QStringLiteral("clbCodes%1").arg(p));
        int number = 0;
        for (const std::string& text : IncomeCategoryList(edition, p)) {
            auto* item = new QListWidgetItem(QString::fromStdString(text), list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            ++number;
            item->setCheckState(p == page && number == current ? Qt::Checked : Qt::Unchecked);
        }
        // A click anywhere on a line ticks it, not only on the small box;
        // the blank bar ticks the current line.
        connect(list, &QListWidget::itemClicked, this, &TfiSelectEisod::Toggle);
        list->installEventFilter(this);
        lists_[p] = list;
        pages_->addTab(list, QString::fromStdString(captions[p].caption));
        pages_->setTabVisible(p, p == page);
    }
    if (page >= 0 && page < 6) pages_->setCurrentIndex(page);
    layout->addWidget(pages_, 1);
    // The arrow keys move in the list from the start: it has the focus, on
    // the entry chosen before (or the first), and the one tab takes none.
    pages_->tabBar()->setFocusPolicy(Qt::NoFocus);
    if (QListWidget* list = List(page); list && list->count() > 0) {
        list->setCurrentRow(current >= 1 && current <= list->count() ? current - 1 : 0);
        list->setFocus(Qt::OtherFocusReason);
    }

    auto* buttons = new QHBoxLayout;
    select_ = new QPushButton(QStringLiteral("Επιλογή"), this);
    select_->setObjectName(QStringLiteral("btSelect"));
    exit_ = new QPushButton(QStringLiteral("Έξοδος"), this);
    exit_->setObjectName(QStringLiteral("btExit"));
    buttons->addStretch(1);
    buttons->addWidget(select_);
    buttons->addWidget(exit_);
    layout->addLayout(buttons);
    connect(select_, &QPushButton::clicked, this, &TfiSelectEisod::OnSelect);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    resize(760, 520);
}

void TfiSelectEisod::Toggle(QListWidgetItem* item) {
    if (item) item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool TfiSelectEisod::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        if (auto* list = qobject_cast<QListWidget*>(watched)) {
            Toggle(list->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QListWidget* TfiSelectEisod::List(int page) const {
    return page >= 0 && page < 6 ? lists_[page] : nullptr;
}

void TfiSelectEisod::OnSelect() {
    result_ = 0;
    if (QListWidget* list = List(page_)) {
        int ticked = 0;
        int first = 0;
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->checkState() != Qt::Checked) continue;
            if (++ticked == 1) first = i + 1;
        }
        if (ticked > 1) dialogs_.ShowMessage(kOneChoiceOnlyMessage);
        else result_ = first;
    }
    accept();
}

}  // namespace kestrana
