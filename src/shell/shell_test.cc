#include "shell/shell.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <functional>
#include <string>
#include <vector>

#include "runs/posix_file_system.h"
#include "setfile/set_file_builder.h"
#include "shell/compile_box.h"
#include "shell/decompile_box.h"
#include "shell/main_window.h"
#include "shell/report_viewer.h"

namespace quorlith {
namespace {

void WriteFileAt(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// Writes a valid set file with every setting zero at `path`.
void WriteSetFileAt(const QString& path) {
  std::vector<std::uint8_t> bytes = SetFileBuilder().Bytes();
  WriteFileAt(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                               static_cast<qsizetype>(bytes.size())));
}

// Runs `observe` at the first pump of the run that the next processing of
// events starts: the run's own event is already queued, so this one comes
// after it and is delivered from inside the run.
void AtFirstPump(QObject* context, std::function<void()> observe) {
  QMetaObject::invokeMethod(context, std::move(observe), Qt::QueuedConnection);
}

// Whether Decompile, Compile, Exit and About can be chosen.
std::vector<bool> MenuItemsEnabled(const MainWindow* window) {
  return {window->DecompileAction()->isEnabled(),
          window->CompileAction()->isEnabled(),
          window->ExitAction()->isEnabled(),
          window->AboutAction()->isEnabled()};
}

class ShellTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  std::string Path(const char* name) const {
    return dir_.filePath(QString::fromUtf8(name)).toStdString();
  }

  void WriteSetFile(const char* name) {
    WriteSetFileAt(QString::fromStdString(Path(name)));
  }

  std::string Decompiled(const char* input, const char* report) const {
    return Path(input) + " decompiled to " + Path(report) + ".";
  }

  // Starts the program without arguments and returns the dialog it opens.
  DecompileBox* StartWithDialog() {
    EXPECT_TRUE(shell_.InitInstance({}));
    QCoreApplication::processEvents();
    return Window()->findChild<DecompileBox*>();
  }

  // Fills the open dialog's input and presses OK; the run starts when
  // events are processed next.
  void ChooseOk(DecompileBox* box, const std::string& input) {
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box->InputEdit(), QString::fromStdString(input));
    box->OkButton()->click();
  }

  MainWindow* Window() const { return shell_.Window(); }

  std::string PaneText() const {
    return Window()->LogPane()->toPlainText().toStdString();
  }

  static std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
      if (!text.empty()) text += '\n';
      text += line;
    }
    return text;
  }

  QTemporaryDir dir_;
  PosixFileSystem fs_;
  Shell shell_{fs_};
};

// The dialog opens at start and its OK runs, with the menu items greyed
// and the wait cursor shown until the run ends.
TEST_F(ShellTest, DialogRunsGreyTheMenuItemAndShowTheLog) {
  WriteSetFile("ALPHA.000");
  WriteSetFile("BETA.000");
  DecompileBox* box = StartWithDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_FALSE(Window()->windowIcon().pixmap(32).isNull());
  ChooseOk(box, Path("*"));
  int observed = 0;
  AtFirstPump(&shell_, [&] {
    ++observed;
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(shell_.Running());
    EXPECT_EQ(MenuItemsEnabled(Window()),
              (std::vector<bool>{false, false, true, true}));
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // The pane is emptied when the run starts and filled when it ends.
    EXPECT_TRUE(Window()->LogPane()->toPlainText().isEmpty());
  });
  QCoreApplication::processEvents();

  EXPECT_EQ(observed, 1);
  EXPECT_EQ(PaneText(), Lines({Decompiled("ALPHA.000", "ALPHA.t00"),
                               Decompiled("BETA.000", "BETA.t00"),
                               "2 file(s) decompiled."}));
  EXPECT_EQ(Window()->findChild<DecompileBox*>(), nullptr);
  EXPECT_EQ(MenuItemsEnabled(Window()), std::vector<bool>(4, true));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ShellTest, ClosingTheWindowStopsTheRunAfterTheCurrentFile) {
  struct Row {
    const char* how;
    std::function<void(MainWindow*)> close;
  };
  const Row rows[] = {
      {"close", [](MainWindow* window) { window->close(); }},
      {"Exit", [](MainWindow* window) { window->ExitAction()->trigger(); }},
      {"destroyed", [](MainWindow* window) { delete window; }},
  };
  WriteSetFile("A.000");
  WriteSetFile("B.000");
  WriteSetFile("C.000");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.how);
    Shell shell(fs_);
    ASSERT_TRUE(shell.InitInstance({}));
    QCoreApplication::processEvents();
    QPointer<MainWindow> window = shell.Window();
    ChooseOk(window->findChild<DecompileBox*>(), Path("*"));
    AtFirstPump(&shell, [&] { row.close(window); });
    QCoreApplication::processEvents();

    EXPECT_EQ(shell.Window(), nullptr);
    ASSERT_NE(shell.Log(), nullptr);
    EXPECT_EQ(LogPaneText(shell.Log()->Text()).toStdString(),
              Decompiled("A.000", "A.t00"));
    EXPECT_EQ(QDir(dir_.path()).entryList({QStringLiteral("*.t00")}),
              QStringList{QStringLiteral("A.t00")});
    EXPECT_TRUE(QFile::remove(QString::fromStdString(Path("A.t00"))));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
  }
}

// Arguments at start run at once and open no dialog.
TEST_F(ShellTest, CommandLineRunsAtOnce) {
  WriteSetFile("NEW.000");
  const std::string names[] = {Path("NEW")};
  ASSERT_TRUE(shell_.InitInstance(names));
  EXPECT_EQ(PaneText(),
            Lines({Decompiled("NEW.000", "NEW.t00"), "1 file(s) decompiled."}));
  QCoreApplication::processEvents();
  EXPECT_EQ(Window()->findChild<DecompileBox*>(), nullptr);
}

TEST_F(ShellTest, CompileDialogRunsTheCompile) {
  WriteSetFile("BASE.000");
  WriteFileAt(QString::fromStdString(Path("BAD.txt")),
              "; Menu 2 - Keyboard\nKey_Rate = x\n");
  StartWithDialog()->CancelButton()->click();
  Window()->CompileAction()->trigger();
  auto* box = Window()->findChild<CompileBox*>();
  ASSERT_NE(box, nullptr);
  QTest::keyClicks(box->ReportEdit(), QString::fromStdString(Path("BAD.txt")));
  QTest::keyClicks(box->BaseEdit(), QString::fromStdString(Path("BASE.000")));
  QTest::keyClicks(box->OutputEdit(), QString::fromStdString(Path("NEW.000")));
  box->OkButton()->click();
  QCoreApplication::processEvents();
  std::string report = Path("BAD.txt");
  EXPECT_EQ(PaneText(),
            Lines({report + ":2:12: Key_Rate: \"x\" is not a number",
                   "1 problem in " + report + "; " + Path("NEW.000") +
                       " not written"}));
}

// After a run the summary has the focus; from the pane, F8 reaches the
// error, Enter opens the report a line names and the changes of a
// comparison line, and the context menu offers the same.
TEST_F(ShellTest, SummaryErrorsAndResultsFromTheKeyboard) {
  WriteSetFile("A.000");
  WriteFileAt(QString::fromStdString(Path("Z.000")), "not a set file");
  DecompileBox* box = StartWithDialog();
  int beeps = 0;
  Window()->SetBeep([&] { ++beeps; });
  ChooseOk(box, Path("*"));
  QCoreApplication::processEvents();
  QLabel* summary = Window()->SummaryLine();
  EXPECT_EQ(summary->text(), QStringLiteral("Decompiled 1 file, 1 error. "
                                            "Report next to the set file."));
  EXPECT_EQ(Window()->focusWidget(), summary);
  EXPECT_EQ(Window()->LogPane()->textCursor().position(), 0);

  QPlainTextEdit* pane = Window()->LogPane();
  Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window()));
  QTest::keyClick(summary, Qt::Key_F8);
  // Selected, so that a screen reader says it; the caret at its start.
  QTextCursor reached = pane->textCursor();
  EXPECT_EQ(reached.blockNumber(), 1);
  EXPECT_EQ(reached.position(), reached.block().position());
  EXPECT_TRUE(reached.selectedText().startsWith(QStringLiteral("Error: ")));
  EXPECT_EQ(Window()->focusWidget(), pane);
  QTest::keyClick(pane, Qt::Key_F8);
  QTest::keyClick(pane, Qt::Key_Return);  // an error names no report
  EXPECT_EQ(beeps, 2);
  QTest::keyClick(pane, Qt::Key_F8, Qt::ShiftModifier);
  EXPECT_EQ(beeps, 3);  // nothing before the first line
  std::unique_ptr<QMenu> menu(Window()->NewLogMenu());
  EXPECT_FALSE(Window()->ViewAction()->isEnabled());
  pane->moveCursor(QTextCursor::Start);
  menu.reset(Window()->NewLogMenu());
  EXPECT_TRUE(Window()->ViewAction()->isEnabled());
  QTest::keyClick(pane, Qt::Key_Enter, Qt::KeypadModifier);
  auto* viewer = Window()->findChild<ReportViewer*>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("A.t00 - Report"));
}

// "--view" shows a set file's report and writes nothing; a file that is
// none says why in the pane. "--compare-with" readies the dialog.
TEST_F(ShellTest, ViewAndCompareWithAtStart) {
  WriteSetFile("A.000");
  const std::string view[] = {"--view", Path("A")};
  ASSERT_TRUE(shell_.InitInstance(view));
  auto* viewer = Window()->findChild<ReportViewer*>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("A.000 - Report"));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"A.000"});

  WriteFileAt(QString::fromStdString(Path("Z.000")), "not a set file");
  for (auto [name, why] : {std::pair{"none.000", " cannot be found."},
                           {"Z.000",
                            " does not match Orvalen version 7.0 "
                            "format."}}) {
    Shell other(fs_);
    const std::string bad[] = {"--view", Path(name)};
    ASSERT_TRUE(other.InitInstance(bad));
    EXPECT_EQ(other.Window()->LogPane()->toPlainText().toStdString(),
              "Error: File " + Path(name) + why);
  }

  Shell third(fs_);
  const std::string compare[] = {"--compare-with", Path("A.000")};
  ASSERT_TRUE(third.InitInstance(compare));
  QCoreApplication::processEvents();
  auto* box = third.Window()->findChild<DecompileBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->CompareBox()->isChecked());
  EXPECT_EQ(box->InputEdit()->text().toStdString(), Path("A.000"));
  EXPECT_EQ(box->focusWidget(), box->OutputEdit());
}

TEST_F(ShellTest, LogBufferThatCannotBeObtainedStopsTheStart) {
  QStringList errors;
  shell_.SetErrorBox([&](const QString& text) { errors << text; });
  shell_.SetLogAllocator([] { return std::unique_ptr<LogBuffer>(); });
  EXPECT_FALSE(shell_.InitInstance({}));
  EXPECT_EQ(errors, QStringList{QStringLiteral("Not enough memory")});
  EXPECT_EQ(shell_.Window(), nullptr);
}

}  // namespace
}  // namespace quorlith
