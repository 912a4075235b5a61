#include "controls/edit_afm.h"

#include <QEvent>
#include <QFocusEvent>

#include "records/afm.h"
#include "controls/entry_control.h"

namespace kestrana {

TEditAFM::TEditAFM(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TEditAFM::changed);
    SaveAppearance();
}

const QString& TEditAFM::InvalidHint() {
    static const QString hint = QString::fromUtf8("Το ΑΦΜ που δώσατε δεν είναι σωστό");
    return hint;
}

bool TEditAFM::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !showHint_) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void TEditAFM::SaveAppearance() {
    saved_.text = palette().color(QPalette::Text);
    saved_.background = palette().color(QPalette::Base);
    saved_.font = font();
    saved_.hint = toolTip();
    saved_.styleSheet = styleSheet();
    saved_.showHint = showHint_;
}

void TEditAFM::RestoreAppearance() {
    // The sheet first: taking the red one away brings back the palette it
    // was set over, which the designed colours then replace.
    setStyleSheet(saved_.styleSheet);
    QPalette p = palette();
    p.setColor(QPalette::Text, saved_.text);
    p.setColor(QPalette::Base, saved_.background);
    setPalette(p);
    setFont(saved_.font);
    setToolTip(saved_.hint);
    showHint_ = saved_.showHint;
    markedInvalid_ = false;
}

void TEditAFM::MarkInvalid() {
    QPalette p = palette();
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Base, Qt::red);
    setPalette(p);
    // A window's style sheet would paint over the palette: the box's own
    // sheet comes before its parents', whatever window holds it.
    setStyleSheet(QStringLiteral("QLineEdit, QLineEdit:focus { color: white; background: red; font-weight: bold; }"));
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setToolTip(InvalidHint());
    showHint_ = true;
    markedInvalid_ = true;
}

void TEditAFM::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!focus_.Entering(event)) return;
    if (markedInvalid_)
        RestoreAppearance();
    else
        SaveAppearance();
}

void TEditAFM::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!focus_.Leaving(event)) return;
    emit exited();
    if (CheckAFM(text().toStdString()))
        RestoreAppearance();
    else
        MarkInvalid();
}

}  // namespace kestrana
