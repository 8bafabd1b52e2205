#include "shell/decompile_box.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace quorlith {
namespace {

TEST(DecompileBox, StartsEmptyAndOkFollowsTheInput) {
  DecompileBox box;
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Decompile"));
  EXPECT_TRUE(box.InputEdit()->text().isEmpty());
  EXPECT_TRUE(box.OutputEdit()->text().isEmpty());
  EXPECT_FALSE(box.CompareBox()->isChecked());
  EXPECT_EQ(box.CompareBox()->text(), QStringLiteral("&Compare Set Files"));
  EXPECT_FALSE(box.OkButton()->isEnabled());
  EXPECT_TRUE(box.CancelButton()->isEnabled());
  EXPECT_TRUE(box.OkButton()->isDefault());
  // OK follows the input field alone.
  box.show();
  QTest::keyClicks(box.OutputEdit(), "out");
  EXPECT_FALSE(box.OkButton()->isEnabled());
  QTest::keyClicks(box.InputEdit(), "a");
  EXPECT_TRUE(box.OkButton()->isEnabled());
  QTest::keyClicks(box.InputEdit(), "b");
  EXPECT_TRUE(box.OkButton()->isEnabled());
  QTest::keyClick(box.InputEdit(), Qt::Key_Backspace);
  EXPECT_TRUE(box.OkButton()->isEnabled());
  QTest::keyClick(box.InputEdit(), Qt::Key_Backspace);
  EXPECT_FALSE(box.OkButton()->isEnabled());
  QTest::keyClicks(box.InputEdit(), " ");
  EXPECT_TRUE(box.OkButton()->isEnabled());
}

TEST(DecompileBox, LabelsAreBuddiesOfTheirFields) {
  DecompileBox box;
  std::map<QString, QWidget*> buddies;
  for (const QLabel* label : box.findChildren<QLabel*>()) {
    buddies[label->text()] = label->buddy();
  }
  EXPECT_EQ(buddies[QStringLiteral("&Input File(s):")], box.InputEdit());
  EXPECT_EQ(buddies[QStringLiteral("&Output File(s):")], box.OutputEdit());
}

TEST(DecompileBox, TabOrder) {
  DecompileBox box;
  const QWidget* expected[] = {box.InputEdit(),    box.OutputEdit(),
                               box.CompareBox(),   box.OkButton(),
                               box.CancelButton(), box.InputEdit()};
  // OK joins the tab chain even while it is disabled.
  const QWidget* at = box.InputEdit();
  for (std::size_t i = 1; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    at = at->nextInFocusChain();
    while (at->focusPolicy() == Qt::NoFocus) at = at->nextInFocusChain();
    EXPECT_EQ(at, expected[i]);
  }
}

TEST(DecompileBox, FieldsHoldAtMost548Characters) {
  DecompileBox box;
  box.InputEdit()->setText(QString(600, QLatin1Char('i')));
  box.OutputEdit()->setText(QString(600, QLatin1Char('o')));
  EXPECT_EQ(box.InputEdit()->text().size(), 548);
  EXPECT_EQ(box.OutputEdit()->text().size(), 548);
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
    SCOPED_TRACE(std::string("output '") + row.output + "' compare " +
                 (row.compare ? "ticked" : "unticked"));
    EXPECT_EQ(RunModeFor(*row.output != '\0', row.compare), row.mode);

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

TEST(DecompileBox, EnterOnAnEmptyInputBeeps) {
  DecompileBox box;
  int beeps = 0;
  box.SetBeep([&] { ++beeps; });
  box.show();
  QSignalSpy requested(&box, &DecompileBox::decompileRequested);
  QSignalSpy finished(&box, &QDialog::finished);
  QTest::keyClick(box.InputEdit(), Qt::Key_Return);
  box.OutputEdit()->setFocus();
  QTest::keyClick(box.OutputEdit(), Qt::Key_Enter);
  box.accept();
  EXPECT_EQ(beeps, 3);
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(box.focusWidget(), box.InputEdit());
  EXPECT_EQ(requested.count(), 0);
  EXPECT_EQ(finished.count(), 0);
}

TEST(DecompileBox, CancelClosesWithoutRequest) {
  DecompileBox box;
  box.show();
  QSignalSpy requested(&box, &DecompileBox::decompileRequested);
  QTest::keyClicks(box.InputEdit(), "sets/*");
  box.CancelButton()->click();
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(requested.count(), 0);
}

}  // namespace
}  // namespace quorlith
