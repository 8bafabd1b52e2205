#include "shell/shell.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <vector>

#include "runs/fake_file_system.h"
#include "setfile/set_file_builder.h"
#include "shell/compile_box.h"
#include "shell/decompile_box.h"
#include "shell/main_window.h"
#include "shell/report_viewer.h"
#include "shell/settings_editor.h"

namespace quorlith {
namespace {

// Runs `observe` at the first pump of the run that the next processing of
// events starts: the run's own event is already queued, so this one comes
// after it and is delivered from inside the run.
void AtFirstPump(QObject* context, std::function<void()> observe) {
  QMetaObject::invokeMethod(context, std::move(observe), Qt::QueuedConnection);
}

class ShellTest : public testing::Test {
 protected:
  ShellTest() {
    fs_.AddFile("/s/A.000", SetFileBuilder().Bytes());
    fs_.AddFile("/s/Z.000", {'n', 'o', 'n', 'e'});
  }

  // Starts the program with `names` and lets the events it posts through.
  std::unique_ptr<Shell> Start(std::vector<std::string> names) {
    auto shell = std::make_unique<Shell>(fs_);
    EXPECT_TRUE(shell->InitInstance(names));
    QCoreApplication::processEvents();
    return shell;
  }

  // Types `input` into the dialog a start without arguments opens and
  // presses OK; the run starts when events are processed next.
  static void ChooseOk(Shell& shell, const char* input) {
    auto* box = shell.Window()->findChild<DecompileBox*>();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box->InputEdit(), input);
    box->OkButton()->click();
  }

  FakeFileSystem fs_;
};

// A run greys the commands that start runs and shows the wait cursor;
// after it the summary has the focus, and from the pane F8 selects the
// error line, Enter opens the report a line names or beeps, and the
// context menu offers the same.
TEST_F(ShellTest, DialogRunThenItsLogFromTheKeyboard) {
  std::unique_ptr<Shell> shell = Start({});
  MainWindow* window = shell->Window();
  EXPECT_FALSE(window->windowIcon().pixmap(32).isNull());
  ChooseOk(*shell, "/s/*");
  int observed = 0;
  AtFirstPump(shell.get(), [&] {
    ++observed;
    EXPECT_FALSE(window->DecompileAction()->isEnabled());
    EXPECT_FALSE(window->CompileAction()->isEnabled());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_TRUE(window->LogPane()->toPlainText().isEmpty());
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(observed, 1);
  EXPECT_TRUE(window->DecompileAction()->isEnabled());
  EXPECT_TRUE(window->CompileAction()->isEnabled());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  QLabel* summary = window->SummaryLine();
  QPlainTextEdit* pane = window->LogPane();
  EXPECT_EQ(summary->text(), QStringLiteral("Decompiled 1 file, 1 error. "
                                            "Report next to the set file."));
  EXPECT_EQ(window->focusWidget(), summary);
  int beeps = 0;
  window->SetBeep([&] { ++beeps; });
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(summary, Qt::Key_F8);
  // Selected, so that a screen reader says it; the caret at its start.
  QTextCursor reached = pane->textCursor();
  EXPECT_EQ(reached.position(), reached.block().position());
  EXPECT_TRUE(reached.selectedText().startsWith(QStringLiteral("Error: ")));
  EXPECT_EQ(window->focusWidget(), pane);
  QTest::keyClick(pane, Qt::Key_Return);  // an error names no report
  QTest::keyClick(pane, Qt::Key_F8, Qt::ShiftModifier);
  EXPECT_EQ(beeps, 2);
  delete window->NewLogMenu();
  EXPECT_FALSE(window->ViewAction()->isEnabled());
  pane->moveCursor(QTextCursor::Start);
  delete window->NewLogMenu();
  EXPECT_TRUE(window->ViewAction()->isEnabled());
  QTest::keyClick(pane, Qt::Key_Enter, Qt::KeypadModifier);
  auto* viewer = window->findChild<ReportViewer*>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("A.t00 - Report"));
}

TEST_F(ShellTest, ClosingTheWindowStopsTheRunAfterTheCurrentFile) {
  const std::function<void(MainWindow*)> closes[] = {
      [](MainWindow* window) { window->close(); },
      [](MainWindow* window) { window->ExitAction()->trigger(); },
      [](MainWindow* window) { delete window; },
  };
  for (const auto& close : closes) {
    SCOPED_TRACE(&close - closes);
    std::unique_ptr<Shell> shell = Start({});
    QPointer<MainWindow> window = shell->Window();
    ChooseOk(*shell, "/s/*");
    AtFirstPump(shell.get(), [&] { close(window); });
    QCoreApplication::processEvents();
    EXPECT_EQ(shell->Window(), nullptr);
    ASSERT_NE(shell->Log(), nullptr);
    EXPECT_EQ(LogPaneText(shell->Log()->Text()),
              QStringLiteral("/s/A.000 decompiled to /s/A.t00."));
    EXPECT_TRUE(fs_.Remove("/s/A.t00"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
  }
}

// Arguments run at once or open what they ask for, and no dialog; a file
// that cannot be viewed says why in the pane.
TEST_F(ShellTest, ArgumentsRunOrOpenWhatTheyAskFor) {
  std::unique_ptr<Shell> shell = Start({"/s/A"});
  EXPECT_EQ(shell->Window()->LogPane()->toPlainText(),
            QStringLiteral("/s/A.000 decompiled to /s/A.t00.\n"
                           "1 file(s) decompiled."));
  EXPECT_EQ(shell->Window()->findChild<QDialog*>(), nullptr);
  // What runs nothing hides the last run's summary.
  const std::string kTooMany[] = {"a", "b", "c", "d"};
  shell->StartCommandLineRun(kTooMany);
  EXPECT_FALSE(shell->Window()->SummaryLine()->isVisibleTo(shell->Window()));

  const std::vector<std::string> before = fs_.Paths();
  shell = Start({"--view", "/s/A"});
  auto* viewer = shell->Window()->findChild<ReportViewer*>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("A.000 - Report"));
  EXPECT_EQ(fs_.Paths(), before);
  for (auto [name, why] :
       {std::pair{"/s/none.000", " cannot be found."},
        {"/s/Z.000", " does not match Orvalen version 7.0 format."}}) {
    shell = Start({"--view", name});
    QPlainTextEdit* pane = shell->Window()->LogPane();
    EXPECT_EQ(pane->toPlainText().toStdString(),
              "Error: File " + std::string(name) + why);
    // No summary: the pane has the focus, its caret on the first line.
    EXPECT_EQ(shell->Window()->focusWidget(), pane);
    EXPECT_EQ(pane->textCursor().position(), 0);
  }

  shell = Start({"--compare-with", "/s/A.000"});
  auto* box = shell->Window()->findChild<DecompileBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->CompareBox()->isChecked());
  EXPECT_EQ(box->InputEdit()->text(), QStringLiteral("/s/A.000"));
  EXPECT_EQ(box->focusWidget(), box->OutputEdit());
  shell = Start({"--edit", "/s/A.000"});
  auto* editor = shell->Window()->findChild<SettingsEditor*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->windowTitle(), QStringLiteral("A.000 - Settings"));
  EXPECT_TRUE(editor->isWindow() && editor->isVisible());  // its own
}

TEST_F(ShellTest, CompileDialogRunsTheCompile) {
  std::unique_ptr<Shell> shell = Start({});
  shell->Window()->CompileAction()->trigger();
  auto* box = shell->Window()->findChild<CompileBox*>();
  ASSERT_NE(box, nullptr);
  QTest::keyClicks(box->ReportEdit(), "/s/R.txt");
  QTest::keyClicks(box->OutputEdit(), "/s/NEW.000");
  box->OkButton()->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(shell->Window()->SummaryLine()->text(),
            QStringLiteral("Compiled 0 files, 1 error."));
  EXPECT_EQ(shell->Window()->LogPane()->toPlainText().toStdString(),
            "Error: Cannot open file /s/R.txt");
}

TEST_F(ShellTest, LogBufferThatCannotBeObtainedStopsTheStart) {
  Shell shell(fs_);
  QStringList errors;
  shell.SetErrorBox([&](const QString& text) { errors << text; });
  shell.SetLogAllocator([] { return std::unique_ptr<LogBuffer>(); });
  EXPECT_FALSE(shell.InitInstance({}));
  EXPECT_EQ(errors, QStringList{QStringLiteral("Not enough memory")});
  EXPECT_EQ(shell.Window(), nullptr);
}

}  // namespace
}  // namespace quorlith
