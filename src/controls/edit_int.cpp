#include "controls/edit_int.h"

#include <QKeyEvent>

#include "platform/user_dialogs.h"
#include "records/amount_text.h"
#include "controls/entry_control.h"
#include "controls/key_filter.h"

namespace kestrana {

TEditInt::TEditInt(UserDialogs& dialogs, QWidget* parent) : QLineEdit(parent), dialogs_(dialogs) {
    connect(this, &QLineEdit::textChanged, this, &TEditInt::OnTextChanged);
}

void TEditInt::SetValue(int32_t n) {
    value_ = n;
    settingValue_ = true;
    setText(QString::fromStdString(FormatIntegerBlankZero(n)));
    settingValue_ = false;
}

void TEditInt::ShowNumber(std::optional<double> value) {
    value_ = value ? static_cast<int32_t>(*value) : 0;
    settingValue_ = true;
    setText(value ? QString::number(value_) : QString());
    settingValue_ = false;
}

void TEditInt::OnTextChanged(const QString& text) {
    if (!settingValue_) {
        if (auto v = ParseInteger(text.toStdString()))
            value_ = *v;
        else  // Value keeps what it had
            dialogs_.ShowError(IntegerConversionError(text.toStdString()));
    }
    emit changed();
}

void TEditInt::keyPressEvent(QKeyEvent* event) {
    if (IsEnterKey(event)) {
        event->accept();  // swallowed: the windows navigate on their own filter
        return;
    }
    if (isReadOnly() || !TypesCharacters(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QString accepted;
    for (QChar c : event->text())
        if (c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) accepted += c;
    if (accepted.isEmpty()) {
        event->accept();
        return;
    }
    if (accepted == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), accepted, event->isAutoRepeat(),
                       event->count());
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void TEditInt::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (focus_.Leaving(event)) emit exited();
}

}  // namespace kestrana
