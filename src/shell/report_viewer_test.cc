#include "shell/report_viewer.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <tuple>

namespace quorlith {
namespace {

constexpr std::u16string_view kReport =
    u"\xFEFF; Human readable SET file\r\n;\r\n; Menu 1 - Screen\r\n"
    u"Screen_Rate = 1\r\n;\r\n; Menu 2 - Keyboard\r\nKey_Rate = 60\r\n"
    u"Key_Pitch = 2\r\n;***END OF FILE***\r\n";

// From the keyboard alone: the caret starts on the first setting, F6 and
// Shift+F6 step through the sections, Ctrl+F finds without regard to case
// and F3 finds again; each step that goes nowhere beeps, Escape closes.
TEST(ReportViewer, KeyboardReadsStepsAndFinds) {
  QPointer<ReportViewer> viewer =
      new ReportViewer(ReportViewerText(u"A.t00 - Report", kReport));
  int beeps = 0;
  viewer->SetBeep([&] { ++beeps; });
  viewer->show();
  viewer->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
  QPlainTextEdit* text = viewer->TextPane();
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name),
      QStringLiteral("Report"));
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(viewer->focusWidget(), text);

  // Keys, what is then typed into the find field before Enter, and where
  // the caret is with how many beeps so far.
  const std::tuple<QKeySequence, const char*, int, int> steps[] = {
      {{}, nullptr, 3, 0},
      {QKeySequence(Qt::Key_F6), nullptr, 5, 0},
      {QKeySequence(Qt::Key_F6), nullptr, 5, 1},
      {QKeySequence(Qt::SHIFT | Qt::Key_F6), nullptr, 2, 1},
      {QKeySequence(Qt::SHIFT | Qt::Key_F6), nullptr, 2, 2},
      {QKeySequence::Find, "KEY_", 6, 2},
      {QKeySequence::FindNext, nullptr, 7, 2},
      {QKeySequence::FindNext, nullptr, 7, 3},
      {QKeySequence::FindPrevious, nullptr, 6, 3},
      {QKeySequence::Find, "nowhere", 6, 4},
  };
  for (const auto& [keys, find, line, beeps_then] : steps) {
    SCOPED_TRACE(keys.toString().toStdString());
    if (!keys.isEmpty()) QTest::keySequence(viewer, keys);
    if (find != nullptr) {
      EXPECT_EQ(viewer->focusWidget(), viewer->FindEdit());
      QTest::keyClicks(viewer->FindEdit(), find);
      QTest::keyClick(viewer->FindEdit(), Qt::Key_Return);
    }
    EXPECT_EQ(viewer->CaretLine(), line);
    EXPECT_EQ(beeps, beeps_then);
  }
  // Not found: the find field stays for another try; Escape leaves it,
  // and Escape in the text closes the window.
  EXPECT_EQ(viewer->focusWidget(), viewer->FindEdit());
  QTest::keyClick(viewer->FindEdit(), Qt::Key_Escape);
  EXPECT_EQ(viewer->focusWidget(), text);
  EXPECT_EQ(text->textCursor().selectedText(), QStringLiteral("Key_"));
  QTest::keyClick(text, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(viewer.isNull());
}

}  // namespace
}  // namespace quorlith
