#pragma once
// `TEditReal`: the amount box. Keeps the typed amount as a double beside the
// text; shows it with two decimals, "." between thousands and "," before the
// decimals once the user leaves the box.
#include <QLineEdit>
#include <optional>

#include "controls/entry_control.h"

namespace kestrana {

class UserDialogs;

class TEditReal : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)

public:
    // Conversion errors are reported through `dialogs`.
    explicit TEditReal(UserDialogs& dialogs, QWidget* parent = nullptr);

    double Value() const { return value_; }
    // Non-zero x: the text shows x as an amount and Value becomes what that
    // text reads back as (x rounded to cents). Zero: empty text, Value 0.
    void SetValue(double x);

    // Shows a value held elsewhere exactly: the text with two decimals (empty
    // for none) and Value the number itself, every digit kept.
    void ShowNumber(std::optional<double> value);

    // Horizontal alignment of the text; right from creation.
    Qt::Alignment Alignment() const { return alignment() & Qt::AlignHorizontal_Mask; }
    void SetAlignment(Qt::Alignment horizontal);

signals:
    // Every change of the text, typed or set by program; Value is current.
    void changed();
    // The user left the box and it was rewritten as an amount; not raised
    // when the text did not read as a number.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    FocusTracker focus_;
    void OnTextChanged(const QString& text);
    void ReportConversionError(const QString& text);

    UserDialogs& dialogs_;
    double value_ = 0;
    bool rewriting_ = false;  // our own rewrite on leaving sets Value itself
};

}  // namespace kestrana
