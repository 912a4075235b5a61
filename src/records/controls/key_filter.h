#pragma once
// The per-character filter of the numeric boxes, apart from the widgets so
// that the rules read in one place.
#include <QKeyEvent>
#include <QString>

namespace kestrana {

// Keys that do not type a character (navigation, backspace, shortcuts with
// Ctrl or Alt) are the line edit's own business and pass unfiltered.
inline bool TypesCharacters(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = event->text();
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
    return true;
}

inline bool IsEnterKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace kestrana
