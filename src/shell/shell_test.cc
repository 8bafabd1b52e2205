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

// The dialog opens at start; its OK runs, and a second run replaces the
// first one's log.
TEST_F(ShellTest, DialogRunWritesReportsAndShowsTheLog) {
  WriteSetFile("ALPHA.000");
  WriteSetFile("BETA.000");
  WriteSetFile("notes.txt");
  DecompileBox* box = StartWithDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_TRUE(Window()->LogPane()->toPlainText().isEmpty());
  EXPECT_FALSE(Window()->windowIcon().pixmap(32).isNull());
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

// Arguments at start run at once and open no dialog; so do the forms a
// later command line takes. More than three names run nothing.
TEST_F(ShellTest, CommandLineForms) {
  WriteSetFile("OLD.000");
  WriteSetFile("NEW.000");
  const std::string kUsage =
      QString::fromUtf8(kUsageText).trimmed().toStdString();
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
      {{Path("OLD"), Path("out"), "x", "y"}, kUsage},
  };
  ASSERT_TRUE(shell_.InitInstance(rows[0].names));
  EXPECT_EQ(PaneText(), rows[0].shown);
  EXPECT_TRUE(Window()->DecompileAction()->isEnabled());
  QCoreApplication::processEvents();
  EXPECT_EQ(Window()->findChild<DecompileBox*>(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.names.size());
    shell_.StartCommandLineRun(row.names);
    EXPECT_EQ(PaneText(), row.shown);
  }
  EXPECT_TRUE(IsReport("named.txt"));
  EXPECT_TRUE(IsReport("NEW.t00"));
  EXPECT_FALSE(Exists("OLD.t00"));
  EXPECT_FALSE(Exists("out"));
  Shell too_many(fs_);
  ASSERT_TRUE(too_many.InitInstance(rows[3].names));
  EXPECT_EQ(too_many.Window()->LogPane()->toPlainText().toStdString(), kUsage);
  QCoreApplication::processEvents();
  EXPECT_EQ(too_many.Window()->findChild<DecompileBox*>(), nullptr);
}

// A ticked box without an output name decompiles into the current folder;
// with one it compares.
TEST_F(ShellTest, DialogCompareBox) {
  WriteSetFile("A.000");
  WriteSetFile("NEW.001");
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

  RunFromDialog(Path("A.000"), Path("NEW.001"), true);
  EXPECT_TRUE(IsReport("NEW.t01"));
  EXPECT_EQ(PaneText(),
            Lines({Path("A.000") + " compared with " + Path("NEW.001"),
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
