#pragma once
// Text and colours shared by the E1 and E2 page pictures.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace kestrana::pagepaint {

inline const QColor kInk(20, 32, 64);
inline const QColor kFrame(70, 90, 120);
inline const QColor kTitleBand(150, 185, 215);
inline const QColor kHeadingBand(196, 216, 234);
inline const QColor kHeadBand(232, 240, 247);
inline const QColor kCodeBand(244, 236, 210);
inline const QColor kPaperTint(250, 251, 253);

// Liberation Sans (Arial) at a size in page dots; the pages are drawn at 96 dpi.
QFont Font(double pixels, bool bold);

// Draws text into rect: one line at the style's size if it fits, else
// wrapped at a slightly smaller size, else shrunk, else elided, so a long
// caption never runs into its boxes. False when the text had to be cut.
bool FitText(QPainter& p, const QRectF& rect, const QString& text, double pixels, bool bold, int align);

}  // namespace kestrana::pagepaint
