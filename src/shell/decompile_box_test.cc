#include "shell/decompile_box.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "shell/dialog_testing.h"

namespace quorlith {
namespace {

TEST(DecompileBox, LabelsAndTabOrder) {
  DecompileBox box;
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Decompile"));
  EXPECT_EQ(box.CompareBox()->text(), QStringLiteral("&Compare Set Files"));
  EXPECT_TRUE(box.OkButton()->isDefault());
  std::map<QString, QWidget*> buddies = Buddies(box);
  EXPECT_EQ(buddies[QStringLiteral("&Input File(s):")], box.InputEdit());
  EXPECT_EQ(buddies[QStringLiteral("&Output File(s):")], box.OutputEdit());

  // Each field's Browse... button follows it; OK joins the tab chain even
  // while it is disabled.
  EXPECT_EQ(TabChain(box.InputEdit(), 8),
            (std::vector<const QWidget*>{
                box.InputEdit(), box.InputBrowseButton(), box.OutputEdit(),
                box.OutputBrowseButton(), box.CompareBox(), box.OkButton(),
                box.CancelButton(), box.InputEdit()}));
  EXPECT_EQ(box.InputBrowseButton()->text(), QStringLiteral("Bro&wse..."));
  EXPECT_EQ(box.OutputBrowseButton()->text(), QStringLiteral("Brow&se..."));
}

// Opened over the main window, the dialog stays centred over it when the
// window manager places the window only afterwards.
TEST(DecompileBox, CentredOverTheMainWindow) {
  QWidget main;
  main.setGeometry(100, 100, 600, 400);
  main.show();
  DecompileBox box(&main);
  box.show();
  main.move(300, 250);
  QCoreApplication::processEvents();
  QPoint centre = box.frameGeometry().center();
  EXPECT_LE((centre - main.frameGeometry().center()).manhattanLength(), 2);
}

// The output's Browse... asks for files to read once the box is ticked
// (the new files of a comparison); "--compare-with" readies the box.
TEST(DecompileBox, BrowseAndCompareWith) {
  DecompileBox box;
  std::vector<bool> saves;
  box.SetFileChooser(
      [&](QWidget*, const QString&, const QString& current, bool save) {
        saves.push_back(save);
        return current.isEmpty() ? QString() : current + QStringLiteral("*");
      });
  box.show();
  box.OutputBrowseButton()->click();  // cancelled: the field stays empty
  EXPECT_TRUE(box.OutputEdit()->text().isEmpty());
  box.CompareWith(QStringLiteral("/sets/A.000"));
  box.OutputEdit()->setText(QStringLiteral("/new/"));
  box.OutputBrowseButton()->click();
  EXPECT_EQ(saves, (std::vector<bool>{true, false}));
  EXPECT_EQ(box.focusWidget(), box.OutputEdit());
  DecompileRequest request = box.Request();
  EXPECT_EQ(request.mode, RunMode::kCompare);
  EXPECT_EQ(request.input, "/sets/A.000");
  EXPECT_EQ(request.output, "/new/*");
}

// The fields start empty and the box unticked, as the run mode table
// shows; OK follows the input field alone.
TEST(DecompileBox, OkFollowsTheInput) {
  DecompileBox box;
  box.show();
  QTest::keyClicks(box.OutputEdit(), "out");
  EXPECT_FALSE(box.OkButton()->isEnabled());
  const std::pair<const char*, bool> steps[] = {
      {"ab", true}, {"\b", true}, {"\b", false}, {" ", true}};
  for (const auto& [keys, ok] : steps) {
    SCOPED_TRACE(keys);
    QTest::keyClicks(box.InputEdit(), keys);
    EXPECT_EQ(box.OkButton()->isEnabled(), ok);
  }
}

TEST(DecompileBox, FieldsHoldAtMost548Characters) {
  DecompileBox box;
  box.InputEdit()->setText(QString(600, QLatin1Char('i')));
  box.OutputEdit()->setText(QString(600, QLatin1Char('o')));
  // What the field shows is what the run gets.
  DecompileRequest request = box.Request();
  EXPECT_EQ(request.input, std::string(548, 'i'));
  EXPECT_EQ(request.output, std::string(548, 'o'));
}

TEST(DecompileBox, RunModeTable) {
  struct Row {
    const char* output;
    bool compare;
    RunMode mode;
  };
  const Row rows[] = {
      {"", false, RunMode::kDecompile},
      {"reports/", false, RunMode::kDecompileTo},
      {"", true, RunMode::kDecompileTo},
      {"new*.000", true, RunMode::kCompare},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.output) + (row.compare ? " ticked" : ""));
    DecompileBox box;
    box.show();
    QSignalSpy requested(&box, &DecompileBox::decompileRequested);
    QTest::keyClicks(box.InputEdit(), "sets/*");
    QTest::keyClicks(box.OutputEdit(), row.output);
    if (row.compare) box.CompareBox()->click();
    box.OkButton()->click();
    EXPECT_FALSE(box.isVisible());
    ASSERT_EQ(requested.count(), 1);
    auto request = requested.at(0).at(0).value<DecompileRequest>();
    EXPECT_EQ(request.mode, row.mode);
    EXPECT_EQ(request.input, "sets/*");
    EXPECT_EQ(request.output, row.output);
  }
}

// Enter and OK on an empty input beep and keep the box open; Cancel closes
// it without a request.
TEST(DecompileBox, EnterOnAnEmptyInputBeepsAndCancelRequestsNothing) {
  DecompileBox box;
  int beeps = 0;
  box.SetBeep([&] { ++beeps; });
  box.show();
  QSignalSpy requested(&box, &DecompileBox::decompileRequested);
  QSignalSpy finished(&box, &QDialog::finished);
  QTest::keyClick(box.InputEdit(), Qt::Key_Return);
  box.OutputEdit()->setFocus();
  QTest::keyClick(box.OutputEdit(), Qt::Key_Enter, Qt::KeypadModifier);
  box.accept();
  EXPECT_EQ(beeps, 3);
  EXPECT_EQ(box.focusWidget(), box.InputEdit());
  EXPECT_EQ(finished.count(), 0);
  QTest::keyClicks(box.InputEdit(), "sets/*");
  box.CancelButton()->click();
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(requested.count(), 0);
}

}  // namespace
}  // namespace quorlith
