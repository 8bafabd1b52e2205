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

  // The keyboard reaches every field in order, and OK after them.
  EXPECT_EQ(TabChain(box.ReportEdit(), 6),
            (std::vector<const QWidget*>{
                box.ReportEdit(), box.BaseEdit(), box.OutputEdit(),
                box.OkButton(), box.CancelButton(), box.ReportEdit()}));
}

}  // namespace
}  // namespace quorlith
