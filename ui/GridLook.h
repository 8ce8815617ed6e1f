// How the order grid is painted: its two band colours, the band length and
// the text colour, and the colours a fresh installation starts with.
#pragma once

#include <QColor>
#include <cstdint>

namespace mv::ui {

struct GridLook {
  QColor band1;
  QColor band2;
  int bandLength = 1;
  QColor fontColour;
};

// The three colours of the options dialog's "UL-Szerkesztő" page.
struct GridColours {
  QColor background1;  // "Háttér 1": the second band
  QColor background2;  // "Háttér 2": the first band
  QColor font;
};

// Defaults: the desktop's base and tool-tip colours, and its text colour.
GridColours DefaultGridColours();
GridLook LookOf(const GridColours& colours, int bandLength);

// Windows colour values (0x00BBGGRR) as the settings file keeps them; a
// negative (system) value is no colour.
QColor ColourFromRef(std::int32_t value);
std::int32_t ColourToRef(const QColor& colour);

}  // namespace mv::ui
