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
// (the new files of a comparison); "--compare-with" readies the box, and
// Cancel closes the dialog without a request.
TEST(DecompileBox, BrowseCompareWithAndCancel) {
  DecompileBox box;
  std::vector<bool> saves;
  box.SetFileChooser(
      [&](QWidget*, const QString&, const QString& current, bool save) {
        saves.push_back(save);
        return current.isEmpty() ? QString() : current + QStringLiteral("*");
      });
  box.show();
  QSignalSpy requested(&box, &DecompileBox::decompileRequested);
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
  box.CancelButton()->click();
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(requested.count(), 0);
}

// The fields, the box and OK reach the shared request, each field cut at
// its limit; Enter, from either part of the keyboard, beeps without an
// input and keeps the dialog open.
TEST(DecompileBox, FieldsReachTheRequestAndEnterBeepsUntilReady) {
  DecompileBox box;
  int beeps = 0;
  box.SetBeep([&] { ++beeps; });
  box.show();
  QSignalSpy requested(&box, &DecompileBox::decompileRequested);
  QSignalSpy finished(&box, &QDialog::finished);
  box.OutputEdit()->setText(QString(600, QLatin1Char('o')));
  QTest::keyClick(box.InputEdit(), Qt::Key_Return);
  box.OutputEdit()->setFocus();
  QTest::keyClick(box.OutputEdit(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(finished.count(), 0);
  EXPECT_EQ(box.focusWidget(), box.InputEdit());
  EXPECT_FALSE(box.OkButton()->isEnabled());
  box.InputEdit()->setText(QString(600, QLatin1Char('i')));
  EXPECT_TRUE(box.OkButton()->isEnabled());
  box.CompareBox()->click();
  box.OkButton()->click();
  EXPECT_FALSE(box.isVisible());
  ASSERT_EQ(requested.count(), 1);
  auto request = requested.at(0).at(0).value<DecompileRequest>();
  EXPECT_EQ(request.mode, RunMode::kCompare);
  EXPECT_EQ(request.input, std::string(548, 'i'));
  EXPECT_EQ(request.output, std::string(548, 'o'));
}

}  // namespace
}  // namespace quorlith
