#include "shell/compile_box.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "shell/dialog_testing.h"

namespace quorlith {
namespace {

TEST(CompileBox, FieldsAreNamedByTheirLabelsAndOkNeedsReportAndOutput) {
  CompileBox box;
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Compile"));
  std::map<QString, QWidget*> buddies = Buddies(box);
  EXPECT_EQ(buddies[QStringLiteral("&Report:")], box.ReportEdit());
  EXPECT_EQ(buddies[QStringLiteral("&Base Set File(s):")], box.BaseEdit());
  EXPECT_EQ(buddies[QStringLiteral("&Output Set File:")], box.OutputEdit());
  EXPECT_FALSE(box.BaseEdit()->accessibleDescription().isEmpty());

  EXPECT_TRUE(box.OkButton()->isDefault());
  box.show();
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

  // The keyboard reaches every field and its Browse... button in order,
  // and OK after them.
  QList<QPushButton*> browse = box.BrowseButtons();
  ASSERT_EQ(browse.size(), 3);
  EXPECT_EQ(TabChain(box.ReportEdit(), 9),
            (std::vector<const QWidget*>{
                box.ReportEdit(), browse[0], box.BaseEdit(), browse[1],
                box.OutputEdit(), browse[2], box.OkButton(), box.CancelButton(),
                box.ReportEdit()}));
}

// Each Browse... button asks for its own kind of file and fills its field;
// a path pasted in quotes is taken without them; Enter, from either part
// of the keyboard, beeps while OK is disabled.
TEST(CompileBox, BrowseQuotesAndEnter) {
  CompileBox box;
  int beeps = 0;
  box.SetBeep([&] { ++beeps; });
  QStringList asked;
  box.SetFileChooser(
      [&](QWidget*, const QString& title, const QString&, bool save) {
        asked << title + (save ? " to write" : "");
        return QStringLiteral("/chosen/") + QString::number(asked.size());
      });
  box.show();
  QStringList mnemonics;
  for (QPushButton* button : box.BrowseButtons()) {
    mnemonics << button->text();
    button->click();
  }
  EXPECT_EQ(mnemonics, (QStringList{"Bro&wse...", "Brow&se...", "Brows&e..."}));
  EXPECT_EQ(asked, (QStringList{"Browse for the report",
                                "Browse for the base set file",
                                "Browse for the output set file to write"}));
  EXPECT_EQ(box.Request().base, "/chosen/2");
  box.ReportEdit()->setText(QStringLiteral("\"/my sets/A B.t00\""));
  EXPECT_EQ(box.Request().report, "/my sets/A B.t00");

  box.OutputEdit()->clear();
  QSignalSpy requested(&box, &CompileBox::compileRequested);
  QTest::keyClick(box.ReportEdit(), Qt::Key_Return);
  QTest::keyClick(box.ReportEdit(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(beeps, 2);
  EXPECT_TRUE(box.isVisible());
  QTest::keyClicks(box.OutputEdit(), "B.000");
  QTest::keyClick(box.OutputEdit(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(requested.count(), 1);
}

}  // namespace
}  // namespace quorlith
