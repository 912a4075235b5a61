#pragma once
// `TEditAFM`: the tax registration number box. Accepts any text; on leaving
// a number that fails the check digit turns the box red with a hint, and
// entering it again restores the look it had.
#include <QColor>
#include <QFont>
#include <QLineEdit>

#include "controls/entry_control.h"

namespace kestrana {

class TEditAFM : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)

public:
    explicit TEditAFM(QWidget* parent = nullptr);

    // Whether the hint (tooltip) is shown when the mouse rests on the box.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool on) { showHint_ = on; }

    // The box is in its red look (the number failed the check on leaving).
    bool IsMarkedInvalid() const { return markedInvalid_; }

    static const QString& InvalidHint();  // "Το ΑΦΜ που δώσατε δεν είναι σωστό"

signals:
    // Every change of the text, typed or set by program.
    void changed();
    // The user left the box; runs before the check.
    void exited();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    FocusTracker focus_;
    struct Appearance {
        QColor text;
        QColor background;
        QFont font;
        QString hint;
        QString styleSheet;
        bool showHint = true;
    };

    void SaveAppearance();
    void RestoreAppearance();
    void MarkInvalid();

    Appearance saved_;
    bool showHint_ = true;
    bool markedInvalid_ = false;
};

}  // namespace kestrana
