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

// What a lookup list (a grid with a search box that typing fills) does with a key.
enum class SearchGridKey {
    Choose,       // Enter: the selected row is the answer
    Cancel,       // Esc
    Moves,        // the grid moves on its own; the search text starts again
    Other,
};

inline SearchGridKey ClassifySearchGridKey(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return SearchGridKey::Choose;
        case Qt::Key_Escape: return SearchGridKey::Cancel;
        case Qt::Key_Backspace:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_Up:
        case Qt::Key_Down: return SearchGridKey::Moves;
        default: return SearchGridKey::Other;
    }
}

}  // namespace kestrana
