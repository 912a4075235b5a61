#include "controls/edit_real.h"

#include <QKeyEvent>

#include "platform/user_dialogs.h"
#include "records/amount_text.h"
#include "controls/entry_control.h"
#include "controls/key_filter.h"

namespace kestrana {

namespace {

constexpr QChar kDecimal = QLatin1Char(',');
constexpr QChar kThousands = QLatin1Char('.');

}  // namespace

TEditReal::TEditReal(UserDialogs& dialogs, QWidget* parent) : QLineEdit(parent), dialogs_(dialogs) {
    SetAlignment(Qt::AlignRight);
    connect(this, &QLineEdit::textChanged, this, &TEditReal::OnTextChanged);
}

void TEditReal::SetAlignment(Qt::Alignment horizontal) {
    setAlignment((alignment() & ~Qt::AlignHorizontal_Mask) | (horizontal & Qt::AlignHorizontal_Mask));
}

void TEditReal::SetValue(double x) {
    const std::string text = x == 0 ? std::string() : FormatAmount(x);
    // Value is set here, not re-read by the change handler, so that whoever
    // listens to changed() already sees it.
    value_ = x == 0 ? 0.0 : RoundAmountToCents(x);
    rewriting_ = true;
    setText(QString::fromStdString(text));
    rewriting_ = false;
}

void TEditReal::ShowNumber(std::optional<double> value) {
    value_ = value.value_or(0);
    rewriting_ = true;
    setText(value ? QString::fromStdString(FormatAmount(*value)) : QString());
    rewriting_ = false;
}

void TEditReal::OnTextChanged(const QString& text) {
    if (!rewriting_) {
        value_ = 0;
        if (auto v = ParseAmount(text.toStdString()))
            value_ = *v;
        else
            ReportConversionError(text);
    }
    emit changed();
}

void TEditReal::ReportConversionError(const QString& text) {
    dialogs_.ShowError(FloatConversionError(text.toStdString()));
}

void TEditReal::keyPressEvent(QKeyEvent* event) {
    if (IsEnterKey(event)) {
        event->accept();  // swallowed: the windows navigate on their own filter
        return;
    }
    if (isReadOnly() || !TypesCharacters(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // A comma outside the selection stays; one inside it is being overtyped.
    QString kept = text();
    if (hasSelectedText()) kept.remove(selectionStart(), selectedText().size());
    bool hasDecimal = kept.contains(kDecimal);
    QString accepted;
    for (QChar c : event->text()) {
        if (c == kThousands) c = kDecimal;
        if (c == kDecimal) {
            if (hasDecimal) continue;
            hasDecimal = true;
        } else if (c != QLatin1Char('-') && (c < QLatin1Char('0') || c > QLatin1Char('9'))) {
            continue;
        }
        accepted += c;
    }
    if (accepted.isEmpty()) {
        event->accept();
        return;
    }
    if (accepted == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    int key = accepted == QString(kDecimal) ? int(Qt::Key_Comma) : event->key();
    QKeyEvent replaced(event->type(), key, event->modifiers(), accepted, event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void TEditReal::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!focus_.Entering(event)) return;
    // The user overtypes a plain number: no thousands dots while editing.
    QString plain = text();
    plain.remove(kThousands);
    if (plain != text()) setText(plain);
    selectAll();
}

void TEditReal::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!focus_.Leaving(event)) return;
    const QString current = text();
    if (current.isEmpty()) {
        value_ = 0;
        emit exited();
        return;
    }
    auto v = ReadAmountOnLeave(current.toStdString());
    if (!v) {
        ReportConversionError(current);  // Value keeps what it had
        return;
    }
    // The text shows two decimals, Value keeps every digit read.
    value_ = *v;
    rewriting_ = true;
    setText(QString::fromStdString(FormatAmount(*v)));
    rewriting_ = false;
    emit exited();
}

}  // namespace kestrana
