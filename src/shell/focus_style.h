#pragma once

#include <QColor>
#include <QProxyStyle>

class QPalette;

namespace quorlith {

// The contrast ratio of two colours by their relative luminance, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// A focus mark needs at least this contrast against what surrounds it.
inline constexpr double kFocusContrast = 3.0;

// The colour of the focus mark under `palette`: its highlight colour when
// that stands out enough from both the window and the field background,
// else the window's text colour. Taken from the palette, never fixed, so
// dark and high-contrast themes keep their own colours.
QColor FocusMarkColor(const QPalette& palette);

// The application's style with a solid two-pixel focus mark around every
// control that has the focus: the default marks, a pale fill around a
// check box's text and a slightly darker outline, are barely visible.
class FocusFrameStyle : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                     QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option,
                   QPainter* painter,
                   const QWidget* widget = nullptr) const override;
};

// Wraps the application's current style in a FocusFrameStyle, once.
void InstallFocusFrameStyle();

}  // namespace quorlith
