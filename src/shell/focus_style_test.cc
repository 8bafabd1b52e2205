#include "shell/focus_style.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "shell/decompile_box.h"
#include "shell/main_window.h"

namespace quorlith {
namespace {

// The focus mark is what focus changes: the pixels around a control that
// change by at least 3:1 and stand 3:1 from the window's background. They
// must outline the area they cover, not be a caret or a few dots.
TEST(FocusFrameStyle, EveryKindOfControlShowsItsFocusAtThreeToOne) {
  // The measure itself, lest it pass anything.
  EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
  EXPECT_NEAR(ContrastRatio(QColor(0xD8E2E8), QColor(0xEFEFEF)), 1.14, 0.01);
  // A highlight too faint for the mark leaves it to the text colour.
  QPalette dark(QColor(0x20, 0x20, 0x20));
  dark.setColor(QPalette::Highlight, QColor(0x30, 0x30, 0x50));
  EXPECT_GE(ContrastRatio(FocusMarkColor(dark), dark.color(QPalette::Window)),
            kFocusContrast);

  InstallFocusFrameStyle();
  DecompileBox box;
  box.InputEdit()->setText(QStringLiteral("x"));  // OK takes the focus
  MainWindow window;
  window.ShowLog(QStringLiteral("line"), QStringLiteral("Summary"));
  const std::pair<QWidget*, QWidget*> rows[] = {
      // a control, and away
      {box.InputEdit(), box.OkButton()},
      {box.CompareBox(), box.OkButton()},
      {box.CancelButton(), box.OkButton()},
      {box.OkButton(), box.InputEdit()},
      {window.LogPane(), window.SummaryLine()},
      {window.SummaryLine(), window.LogPane()},
  };
  for (auto [control, away] : rows) {
    SCOPED_TRACE(control->metaObject()->className());
    QWidget* top = control->window();
    top->show();
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    const QColor background = top->palette().color(QPalette::Window);
    away->setFocus(Qt::TabFocusReason);
    QImage unfocused = top->grab().toImage();
    control->setFocus(Qt::TabFocusReason);
    QImage focused = top->grab().toImage();
    int marked = 0;
    QRect bounds;
    QRect area = QRect(control->mapTo(top, QPoint(0, 0)), control->size())
                     .adjusted(-3, -3, 3, 3) &
                 focused.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        QColor now = focused.pixelColor(x, y);
        if (ContrastRatio(now, unfocused.pixelColor(x, y)) >= kFocusContrast &&
            ContrastRatio(now, background) >= kFocusContrast) {
          ++marked;
          bounds |= QRect(x, y, 1, 1);
        }
      }
    }
    EXPECT_GE(bounds.height(), 8);
    EXPECT_GE(marked, 2 * (bounds.width() + bounds.height()) - 4);
  }
}

}  // namespace
}  // namespace quorlith
