// Coloured words stay readable in a light and a dark palette alike: the
// hue is kept, its lightness moved until the text stands out enough.
#pragma once

#include <QColor>
#include <QLabel>

namespace mv::ui {

// The contrast of two colours as the accessibility guidelines measure it (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);
inline constexpr double kReadableContrast = 4.5;

// The wanted colour, made darker or lighter until it reaches
// kReadableContrast on the background.
QColor Readable(const QColor& wanted, const QColor& background);

// The label's words in the wanted colour, readable on the window colour of
// the application's palette, now and whenever that palette changes.
void ColourReadably(QLabel* label, const QColor& wanted);

}  // namespace mv::ui
