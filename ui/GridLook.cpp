#include "ui/GridLook.h"

#include <QApplication>
#include <QPalette>

namespace mv::ui {

GridColours DefaultGridColours() {
  const QPalette palette = QApplication::palette();
  return {palette.color(QPalette::Base), palette.color(QPalette::ToolTipBase), palette.color(QPalette::Text)};
}

GridLook LookOf(const GridColours& colours, int bandLength) {
  return {colours.background2, colours.background1, bandLength, colours.font};
}

QColor ColourFromRef(std::int32_t value) {
  if (value < 0) return {};  // a system colour: the caller's default
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::int32_t ColourToRef(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

}  // namespace mv::ui
