#include "shell/about_box.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace quorlith {
namespace {

TEST(AboutBox, ShowsVersionAndProductUnderATitleWithoutButtons) {
  AboutBox box;
  EXPECT_EQ(box.windowTitle(), QStringLiteral("About Quorlith"));
  QStringList labels;
  for (const QLabel* label : box.findChildren<QLabel*>()) {
    labels << label->text();
  }
  EXPECT_EQ(labels, (QStringList{"Quorlith v. 7.0", "for Orvalen"}));
  EXPECT_EQ(box.OkButton()->text(), QStringLiteral("OK"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&box)->text(
                QAccessible::Description),
            QStringLiteral("Quorlith v. 7.0\nfor Orvalen"));

  Qt::WindowFlags flags = box.windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinMaxButtonsHint));
}

// Only OK closes it: Escape and close requests are refused.
TEST(AboutBox, ClosesOnlyWithOk) {
  AboutBox box;
  QSignalSpy finished(&box, &QDialog::finished);
  box.show();
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_FALSE(box.close());
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(finished.count(), 0);
  box.OkButton()->click();
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(finished, (QList<QVariantList>{{QDialog::Accepted}}));
}

}  // namespace
}  // namespace quorlith
