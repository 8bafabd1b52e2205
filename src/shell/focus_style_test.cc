#include "shell/focus_style.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "shell/decompile_box.h"
#include "shell/main_window.h"

namespace quorlith {
namespace {

TEST(FocusFrameStyle, ContrastRatio) {
  EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
  EXPECT_NEAR(ContrastRatio(QColor(0xD8E2E8), QColor(0xEFEFEF)), 1.14, 0.01);
  QPalette dark(QColor(0x20, 0x20, 0x20));
  dark.setColor(QPalette::Highlight, QColor(0x30, 0x30, 0x50));
  EXPECT_EQ(FocusMarkColor(dark), dark.color(QPalette::WindowText));
}

// The focus mark is what focus changes: the pixels around a control that
// change by at least 3:1 and stand 3:1 from the dialog's background. They
// must outline the area they cover, not be a caret or a few dots.
TEST(FocusFrameStyle, EveryControlShowsItsFocusAtThreeToOne) {
  InstallFocusFrameStyle();
  DecompileBox box;
  box.InputEdit()->setText(QStringLiteral("x"));  // OK takes the focus
  MainWindow window;
  window.ShowLog(QStringLiteral("line"), QStringLiteral("Summary"));
  struct Row {
    QWidget* window;
    std::vector<QWidget*> controls;
    QWidget* away;  // where the focus is before
  };
  const Row rows[] = {
      {&box,
       {box.InputEdit(), box.OutputEdit(), box.CompareBox(),
        box.CancelButton()},
       box.OkButton()},
      {&box, {box.OkButton(), box.InputBrowseButton()}, box.InputEdit()},
      {&window,
       {static_cast<QWidget*>(window.LogPane())},
       window.SummaryLine()},
      {&window,
       {static_cast<QWidget*>(window.SummaryLine())},
       window.LogPane()},
  };
  for (const Row& row : rows) {
    row.window->show();
    row.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(row.window));
    const QColor background = row.window->palette().color(QPalette::Window);
    for (QWidget* control : row.controls) {
      SCOPED_TRACE(control->metaObject()->className());
      row.away->setFocus(Qt::TabFocusReason);
      QImage unfocused = row.window->grab().toImage();
      control->setFocus(Qt::TabFocusReason);
      QImage focused = row.window->grab().toImage();
      int marked = 0;
      QRect bounds;
      QRect area =
          QRect(control->mapTo(row.window, QPoint(0, 0)), control->size())
              .adjusted(-3, -3, 3, 3) &
          focused.rect();
      for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
          QColor now = focused.pixelColor(x, y);
          if (ContrastRatio(now, unfocused.pixelColor(x, y)) >=
                  kFocusContrast &&
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
}

}  // namespace
}  // namespace quorlith
