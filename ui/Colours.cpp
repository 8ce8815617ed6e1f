#include "ui/Colours.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>
#include <cmath>

namespace mv::ui {
namespace {

double Luminance(const QColor& c) {
  const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Follows the application's palette for one label.
class ReadableColour : public QObject {
 public:
  ReadableColour(QLabel* label, const QColor& wanted) : QObject(label), label_(label), wanted_(wanted) {
    qApp->installEventFilter(this);  // the application hears of a new palette; a styled label may not
    Apply();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) Apply();
    return QObject::eventFilter(watched, event);
  }

 private:
  void Apply() {
    const QString sheet =
        QString("color: %1").arg(Readable(wanted_, QApplication::palette().color(QPalette::Window)).name());
    if (label_->styleSheet() != sheet) label_->setStyleSheet(sheet);  // a style sheet changes the palette too
  }
  QLabel* label_;
  QColor wanted_;
};

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(const QColor& wanted, const QColor& background) {
  const bool darkBackground = Luminance(background) < 0.18;
  QColor colour = wanted.toHsl();
  // Lightness in small steps away from the background: the hue stays.
  for (int step = 0; step < 100 && ContrastRatio(colour, background) < kReadableContrast; ++step) {
    const int lightness = std::clamp(colour.lightness() + (darkBackground ? 5 : -5), 0, 255);
    colour.setHsl(colour.hslHue(), colour.hslSaturation(), lightness);
  }
  return colour.toRgb();
}

void ColourReadably(QLabel* label, const QColor& wanted) { new ReadableColour(label, wanted); }

}  // namespace mv::ui
