#include "shell/compile_box.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "report/report_writer.h"
#include "runs/posix_file_system.h"
#include "setfile/set_file_builder.h"
#include "shell/decompile_box.h"
#include "shell/main_window.h"
#include "shell/shell.h"

namespace quorlith {
namespace {

TEST(CompileBox, FieldsAreNamedByTheirLabelsAndOkNeedsReportAndOutput) {
  CompileBox box;
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Compile"));
  std::map<QString, QWidget*> buddies;
  for (const QLabel* label : box.findChildren<QLabel*>()) {
    buddies[label->text()] = label->buddy();
  }
  EXPECT_EQ(buddies[QStringLiteral("&Report:")], box.ReportEdit());
  EXPECT_EQ(buddies[QStringLiteral("&Base Set File(s):")], box.BaseEdit());
  EXPECT_EQ(buddies[QStringLiteral("&Output Set File:")], box.OutputEdit());
  EXPECT_FALSE(box.BaseEdit()->accessibleDescription().isEmpty());

  box.show();
  EXPECT_FALSE(box.OkButton()->isEnabled());
  QTest::keyClicks(box.ReportEdit(), "A.t00");
  EXPECT_FALSE(box.OkButton()->isEnabled());
  QTest::keyClicks(box.OutputEdit(), "B.000");
  EXPECT_TRUE(box.OkButton()->isEnabled());
  QTest::keyClicks(box.BaseEdit(), "C.000");
  QSignalSpy spy(&box, &CompileBox::compileRequested);
  box.OkButton()->click();
  ASSERT_EQ(spy.count(), 1);
  CompileRequest request = box.Request();
  EXPECT_EQ(request.report, "A.t00");
  EXPECT_EQ(request.base, "C.000");
  EXPECT_EQ(request.output, "B.000");

  // The keyboard reaches every field in order, and OK after them.
  const QWidget* at = box.ReportEdit();
  const QWidget* expected[] = {box.BaseEdit(), box.OutputEdit(), box.OkButton(),
                               box.CancelButton()};
  for (const QWidget* next : expected) {
    at = at->nextInFocusChain();
    while (at->focusPolicy() == Qt::NoFocus) at = at->nextInFocusChain();
    EXPECT_EQ(at, next);
  }
}

TEST(CompileBox, TheMainWindowRunsItAndListsEachProblemOnItsOwnLine) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  auto path = [&](const char* name) {
    return dir.filePath(QString::fromUtf8(name)).toStdString();
  };
  {
    std::vector<std::uint8_t> bytes = SetFileBuilder().Bytes();
    QFile base(QString::fromStdString(path("BASE.000")));
    ASSERT_TRUE(base.open(QIODevice::WriteOnly));
    base.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<qint64>(bytes.size()));
    QFile report(QString::fromStdString(path("BAD.txt")));
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write("; Menu 2 - Keyboard\nKey_Rate = x\nKey_Pitch = 99999\n");
  }
  PosixFileSystem fs;
  Shell shell(fs);
  ASSERT_TRUE(shell.InitInstance({}));
  QCoreApplication::processEvents();
  MainWindow* window = shell.Window();
  window->findChild<DecompileBox*>()->CancelButton()->click();
  EXPECT_EQ(window->CompileAction()->text(), QStringLiteral("&Compile..."));

  window->CompileAction()->trigger();
  auto* box = window->findChild<CompileBox*>();
  ASSERT_NE(box, nullptr);
  QTest::keyClicks(box->ReportEdit(), QString::fromStdString(path("BAD.txt")));
  QTest::keyClicks(box->BaseEdit(), QString::fromStdString(path("BASE.000")));
  QTest::keyClicks(box->OutputEdit(), QString::fromStdString(path("NEW.000")));
  box->OkButton()->click();
  QCoreApplication::processEvents();
  std::string report = path("BAD.txt");
  EXPECT_EQ(window->LogPane()->toPlainText().toStdString(),
            report + ":2:12: Key_Rate: \"x\" is not a number\n" + report +
                ":3:13: Key_Pitch: \"99999\" is out of range: -32768 to 32767\n"
                "2 problems in " +
                report + "; " + path("NEW.000") + " not written");
  EXPECT_EQ(window->LogPane()->document()->blockCount(), 3);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path("NEW.000"))));
  EXPECT_TRUE(window->CompileAction()->isEnabled());
}

}  // namespace
}  // namespace quorlith
