#include "shell/focus_style.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace quorlith {
namespace {

constexpr int kMarkWidth = 2;

double Luminance(const QColor& color) {
  auto channel = [](double value) {
    return value <= 0.04045 ? value / 12.92
                            : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
         0.0722 * channel(color.blueF());
}

void DrawFocusMark(const QRect& rect, const QPalette& palette,
                   QPainter* painter) {
  QColor color = FocusMarkColor(palette);
  const int w = kMarkWidth;
  painter->save();
  painter->fillRect(rect.left(), rect.top(), rect.width(), w, color);
  painter->fillRect(rect.left(), rect.bottom() - w + 1, rect.width(), w, color);
  painter->fillRect(rect.left(), rect.top(), w, rect.height(), color);
  painter->fillRect(rect.right() - w + 1, rect.top(), w, rect.height(), color);
  painter->restore();
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor FocusMarkColor(const QPalette& palette) {
  QColor highlight = palette.color(QPalette::Highlight);
  bool stands_out =
      ContrastRatio(highlight, palette.color(QPalette::Window)) >=
          kFocusContrast &&
      ContrastRatio(highlight, palette.color(QPalette::Base)) >= kFocusContrast;
  return stands_out ? highlight : palette.color(QPalette::WindowText);
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element,
                                    const QStyleOption* option,
                                    QPainter* painter,
                                    const QWidget* widget) const {
  // Check boxes ask for a focus rectangle; line edits and push buttons
  // only tint their frame, so they get the mark over that frame, a button
  // inside it: its outline already marks the default button.
  if (element == PE_FrameFocusRect) {
    DrawFocusMark(option->rect, option->palette, painter);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  if (!(option->state & State_HasFocus)) return;
  if (element == PE_FrameLineEdit) {
    DrawFocusMark(option->rect, option->palette, painter);
  } else if (element == PE_PanelButtonCommand) {
    const int inset = kMarkWidth + 1;
    DrawFocusMark(option->rect.adjusted(inset, inset, -inset, -inset),
                  option->palette, painter);
  }
}

// A text pane's frame (the log, the viewer) only tints, as a line edit's
// does; it gets the same mark, in a frame wide enough that the text
// drawn inside does not cover half of it.
int FocusFrameStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                 const QWidget* widget) const {
  int value = QProxyStyle::pixelMetric(metric, option, widget);
  if (metric == PM_DefaultFrameWidth &&
      qobject_cast<const QAbstractScrollArea*>(widget) != nullptr) {
    value = std::max(value, kMarkWidth);
  }
  return value;
}

void FocusFrameStyle::drawControl(ControlElement element,
                                  const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
  if (element == CE_ShapedFrame && (option->state & State_HasFocus)) {
    DrawFocusMark(option->rect, option->palette, painter);
  }
}

void InstallFocusFrameStyle() {
  if (qobject_cast<FocusFrameStyle*>(QApplication::style())) return;
  QApplication::setStyle(new FocusFrameStyle(
      QStyleFactory::create(QApplication::style()->name())));
}

}  // namespace quorlith
