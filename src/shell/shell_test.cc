#include "shell/shell.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "runs/command_line.h"
#include "runs/posix_file_system.h"
#include "setfile/set_file_builder.h"
#include "shell/decompile_box.h"
#include "shell/main_window.h"

namespace quorlith {
namespace {

// Writes a valid set file with every setting zero at `path`.
void WriteSetFileAt(const QString& path) {
  SetFileBuilder builder;
  const std::vector<std::uint8_t>& bytes = builder.Bytes();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<qint64>(bytes.size())),
            static_cast<qint64>(bytes.size()));
}

// Runs `observe` at the first pump of the run that the next processing of
// events starts: the run's own event is already queued, so this one comes
// after it and is delivered from inside the run.
void AtFirstPump(QObject* context, std::function<void()> observe) {
  QMetaObject::invokeMethod(context, std::move(observe), Qt::QueuedConnection);
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

  bool Exists(const char* name) const {
    return QFile::exists(QString::fromStdString(Path(name)));
  }

  // True iff `name` holds a report: UTF-16 text with its byte order mark.
  bool IsReport(const char* name) const {
    QFile file(QString::fromStdString(Path(name)));
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray head = file.read(2);
    return head == QByteArray("\xFF\xFE", 2) && file.size() > 2;
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

  // Fills the open dialog and presses OK; the run starts when events are
  // processed next.
  void ChooseOk(DecompileBox* box, const std::string& input,
                const std::string& output = {}, bool compare = false) {
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box->InputEdit(), QString::fromStdString(input));
    QTest::keyClicks(box->OutputEdit(), QString::fromStdString(output));
    if (compare) box->CompareBox()->click();
    box->OkButton()->click();
  }

  void RunFromDialog(const std::string& input, const std::string& output = {},
                     bool compare = false) {
    Window()->Decompile();
    ChooseOk(Window()->findChild<DecompileBox*>(), input, output, compare);
    QCoreApplication::processEvents();
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

TEST_F(ShellTest, StartWithoutArgumentsOpensTheDialog) {
  DecompileBox* box = StartWithDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_TRUE(Window()->LogPane()->toPlainText().isEmpty());
  EXPECT_FALSE(Window()->windowIcon().pixmap(32).isNull());
}

TEST_F(ShellTest, DialogRunWritesReportsAndShowsTheLog) {
  WriteSetFile("ALPHA.000");
  WriteSetFile("BETA.000");
  WriteSetFile("notes.txt");
  DecompileBox* box = StartWithDialog();
  ChooseOk(box, Path("*"));
  QCoreApplication::processEvents();

  EXPECT_TRUE(IsReport("ALPHA.t00"));
  EXPECT_TRUE(IsReport("BETA.t00"));
  EXPECT_EQ(PaneText(), Lines({Decompiled("ALPHA.000", "ALPHA.t00"),
                               Decompiled("BETA.000", "BETA.t00"),
                               "2 file(s) decompiled."}));
  EXPECT_EQ(Window()->LogPane()->document()->blockCount(), 3);
  EXPECT_EQ(Window()->findChild<DecompileBox*>(), nullptr);
  EXPECT_TRUE(Window()->DecompileAction()->isEnabled());
  EXPECT_FALSE(Window()->RunTimer()->isActive());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Window()->focusWidget(), Window()->LogPane());
  EXPECT_EQ(Window()->LogPane()->textCursor().position(), 0);
  EXPECT_FALSE(shell_.Running());
}

TEST_F(ShellTest, SecondRunClearsTheFirst) {
  WriteSetFile("ALPHA.000");
  ASSERT_TRUE(shell_.InitInstance({}));
  QCoreApplication::processEvents();
  Window()->findChild<DecompileBox*>()->CancelButton()->click();

  RunFromDialog(Path("ALPHA"));
  EXPECT_EQ(PaneText(), Lines({Decompiled("ALPHA.000", "ALPHA.t00"),
                               "1 file(s) decompiled."}));
  RunFromDialog(Path("missing*"));
  EXPECT_EQ(PaneText(),
            "Error: File " + Path("missing*.000") + " cannot be found.");
}

TEST_F(ShellTest, MenuItemGreyedDuringTheRun) {
  WriteSetFile("A.000");
  WriteSetFile("B.000");
  DecompileBox* box = StartWithDialog();
  ChooseOk(box, Path("*"));
  int observed = 0;
  AtFirstPump(&shell_, [&] {
    ++observed;
    MainWindow* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(shell_.Running());
    EXPECT_FALSE(window->DecompileAction()->isEnabled());
    EXPECT_TRUE(window->ExitAction()->isEnabled());
    EXPECT_TRUE(window->AboutAction()->isEnabled());
    EXPECT_TRUE(window->RunTimer()->isActive());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // The pane is emptied when the run starts and filled when it ends.
    EXPECT_TRUE(window->LogPane()->toPlainText().isEmpty());
    // No second run can start inside this one.
    window->DecompileAction()->trigger();
    EXPECT_EQ(window->findChild<DecompileBox*>(), nullptr);
  });
  QCoreApplication::processEvents();

  EXPECT_EQ(observed, 1);
  EXPECT_FALSE(shell_.Running());
  EXPECT_TRUE(Window()->DecompileAction()->isEnabled());
  EXPECT_FALSE(Window()->RunTimer()->isActive());
  EXPECT_EQ(PaneText(),
            Lines({Decompiled("A.000", "A.t00"), Decompiled("B.000", "B.t00"),
                   "2 file(s) decompiled."}));
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
  for (const Row& row : rows) {
    SCOPED_TRACE(row.how);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PosixFileSystem fs;
    Shell shell(fs);
    std::string folder = dir.path().toStdString() + "/";
    for (const char* name : {"A.000", "B.000", "C.000"}) {
      WriteSetFileAt(dir.filePath(QString::fromLatin1(name)));
    }
    ASSERT_TRUE(shell.InitInstance({}));
    QCoreApplication::processEvents();
    QPointer<MainWindow> window = shell.Window();
    ChooseOk(window->findChild<DecompileBox*>(), folder + "*");
    AtFirstPump(&shell, [&] { row.close(window); });
    QCoreApplication::processEvents();

    EXPECT_EQ(shell.Window(), nullptr);
    EXPECT_FALSE(shell.Running());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ASSERT_NE(shell.Log(), nullptr);
    EXPECT_EQ(LogPaneText(shell.Log()->Text()).toStdString(),
              folder + "A.000 decompiled to " + folder + "A.t00.");
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("A.t00"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("B.t00"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("C.t00"))));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
  }
}

TEST_F(ShellTest, StartWithArgumentsRunsAtOnce) {
  WriteSetFile("A.000");
  std::vector<std::string> names = {Path("*")};
  ASSERT_TRUE(shell_.InitInstance(names));
  EXPECT_TRUE(IsReport("A.t00"));
  EXPECT_EQ(PaneText(),
            Lines({Decompiled("A.000", "A.t00"), "1 file(s) decompiled."}));
  EXPECT_TRUE(Window()->DecompileAction()->isEnabled());
  QCoreApplication::processEvents();
  EXPECT_EQ(Window()->findChild<DecompileBox*>(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
}

TEST_F(ShellTest, CommandLineForms) {
  WriteSetFile("OLD.000");
  WriteSetFile("NEW.000");
  struct Row {
    std::vector<std::string> names;
    std::string shown;
  };
  const Row rows[] = {
      {{Path("NEW")},
       Lines({Decompiled("NEW.000", "NEW.t00"), "1 file(s) decompiled."})},
      {{Path("NEW"), Path("named.txt")},
       Lines({Decompiled("NEW.000", "named.txt"), "1 file(s) decompiled."})},
      {{Path("OLD.000"), Path("NEW"), "x"},
       Lines({Path("OLD.000") + " compared with " + Path("NEW.000"),
              "1 file(s) compared."})},
      {{"a", "b", "c", "d"},
       QString::fromUtf8(kUsageText).trimmed().toStdString()},
  };
  ASSERT_TRUE(shell_.InitInstance({}));
  QCoreApplication::processEvents();
  Window()->findChild<DecompileBox*>()->CancelButton()->click();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.names.size());
    shell_.StartCommandLineRun(row.names);
    EXPECT_EQ(PaneText(), row.shown);
  }
  EXPECT_TRUE(IsReport("named.txt"));
  EXPECT_TRUE(IsReport("NEW.t00"));
}

TEST_F(ShellTest, TooManyArgumentsRunNothing) {
  WriteSetFile("A.000");
  std::vector<std::string> names = {Path("A"), Path("out"), "x", "y"};
  ASSERT_TRUE(shell_.InitInstance(names));
  EXPECT_EQ(PaneText(), QString::fromUtf8(kUsageText).trimmed().toStdString());
  EXPECT_FALSE(Exists("A.t00"));
  EXPECT_FALSE(Exists("out"));
  QCoreApplication::processEvents();
  EXPECT_EQ(Window()->findChild<DecompileBox*>(), nullptr);
}

TEST_F(ShellTest, TickedCompareWithoutOutputDecompilesIntoCurrentFolder) {
  WriteSetFile("A.000");
  QTemporaryDir current;
  ASSERT_TRUE(current.isValid());
  QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(current.path()));
  DecompileBox* box = StartWithDialog();
  ChooseOk(box, Path("A"), "", true);
  QCoreApplication::processEvents();
  ASSERT_TRUE(QDir::setCurrent(previous));

  std::string report = current.filePath(QStringLiteral("A.t00")).toStdString();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(report)));
  EXPECT_FALSE(Exists("A.t00"));
  EXPECT_EQ(PaneText(), Lines({Path("A.000") + " decompiled to " + report + ".",
                               "1 file(s) decompiled."}));
}

TEST_F(ShellTest, DialogComparison) {
  WriteSetFile("OLD.000");
  WriteSetFile("NEW.001");
  DecompileBox* box = StartWithDialog();
  ChooseOk(box, Path("OLD.000"), Path("NEW.001"), true);
  QCoreApplication::processEvents();
  EXPECT_TRUE(IsReport("NEW.t01"));
  EXPECT_EQ(PaneText(),
            Lines({Path("OLD.000") + " compared with " + Path("NEW.001"),
                   "1 file(s) compared."}));
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
