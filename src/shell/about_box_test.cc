#include "shell/about_box.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace quorlith {
namespace {

QStringList LabelTexts(const QWidget& widget) {
  QStringList texts;
  for (const QLabel* label : widget.findChildren<QLabel*>()) {
    texts << label->text();
  }
  return texts;
}

TEST(AboutBox, ShowsTitleVersionAndProduct) {
  AboutBox box;
  EXPECT_EQ(box.windowTitle(), QStringLiteral("About Quorlith"));
  EXPECT_EQ(LabelTexts(box), (QStringList{QStringLiteral("Quorlith v. 7.0"),
                                          QStringLiteral("for Orvalen")}));
  EXPECT_EQ(box.OkButton()->text(), QStringLiteral("OK"));
  EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(box.windowFlags() & Qt::WindowSystemMenuHint);
}

TEST(AboutBox, IgnoresEscapeAndCloseRequests) {
  AboutBox box;
  QSignalSpy finished(&box, &QDialog::finished);
  box.show();
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_TRUE(box.isVisible());
  EXPECT_FALSE(box.close());
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(finished.count(), 0);
}

TEST(AboutBox, ClosesWithOk) {
  AboutBox box;
  QSignalSpy finished(&box, &QDialog::finished);
  box.show();
  box.OkButton()->click();
  EXPECT_FALSE(box.isVisible());
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
}

}  // namespace
}  // namespace quorlith
