#pragma once
// `TEditInt`: the whole-number box. Keeps a 32-bit integer beside the text.
#include <QLineEdit>

#include "controls/entry_control.h"
#include <cstdint>
#include <optional>

namespace kestrana {

class UserDialogs;

class TEditInt : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)

public:
    // Conversion errors are reported through `dialogs`.
    explicit TEditInt(UserDialogs& dialogs, QWidget* parent = nullptr);

    int32_t Value() const { return value_; }
    // The text becomes the digits of n ("-" when negative), empty for 0.
    void SetValue(int32_t n);

    // Shows a whole number held elsewhere: its digits ("0" too), empty for none.
    void ShowNumber(std::optional<double> value);

signals:
    // Every change of the text, typed or set by program; Value is current.
    void changed();
    // The user left the box.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    FocusTracker focus_;
    void OnTextChanged(const QString& text);

    UserDialogs& dialogs_;
    int32_t value_ = 0;
    bool settingValue_ = false;
};

}  // namespace kestrana
