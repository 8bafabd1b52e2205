#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "shell/about_box.h"
#include "shell/compile_box.h"
#include "shell/decompile_box.h"

namespace quorlith {
namespace {

QString AccessibleName(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

// Every widget a user can reach or read: focusable ones, labels, menus.
void ExpectEveryControlNamed(QWidget& top) {
  QList<QWidget*> widgets = top.findChildren<QWidget*>();
  int checked = 0;
  for (QWidget* widget : widgets) {
    bool control =
        widget->focusPolicy() != Qt::NoFocus || qobject_cast<QLabel*>(widget) ||
        qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget);
    if (!control) continue;
    SCOPED_TRACE(widget->metaObject()->className());
    EXPECT_FALSE(AccessibleName(widget).isEmpty());
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(MainWindow, TitleMenusAndLogPane) {
  MainWindow window;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorlith"));
  QStringList menus;
  for (QAction* action : window.menuBar()->actions()) menus << action->text();
  EXPECT_EQ(menus,
            (QStringList{QStringLiteral("&File"), QStringLiteral("&Help")}));
  EXPECT_EQ(window.DecompileAction()->text(), QStringLiteral("&Decompile..."));
  EXPECT_EQ(window.ExitAction()->text(), QStringLiteral("E&xit"));
  EXPECT_EQ(window.AboutAction()->text(), QStringLiteral("&About..."));
  EXPECT_TRUE(window.DecompileAction()->isEnabled());

  QPlainTextEdit* log = window.LogPane();
  EXPECT_EQ(window.centralWidget(), log);
  EXPECT_TRUE(log->isReadOnly());
  EXPECT_TRUE(log->textInteractionFlags() & Qt::TextSelectableByKeyboard);
  EXPECT_TRUE(log->toPlainText().isEmpty());
  EXPECT_EQ(window.RunTimer()->interval(), 200);
  EXPECT_FALSE(window.RunTimer()->isActive());
}

TEST(MainWindow, LogPaneFillsTheWindowWhenResized) {
  MainWindow window;
  window.show();
  for (QSize size : {QSize(500, 300), QSize(900, 700)}) {
    SCOPED_TRACE(size.width());
    window.resize(size);
    QCoreApplication::processEvents();
    QRect free_area = window.rect();
    free_area.setTop(window.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(window.LogPane()->geometry(), free_area);
  }
}

TEST(MainWindow, ShowLogPutsTheFocusOnTheFirstLine) {
  MainWindow window;
  window.show();
  window.ShowLog(QStringLiteral("first\nsecond\nthird"));
  QPlainTextEdit* log = window.LogPane();
  EXPECT_EQ(log->document()->blockCount(), 3);
  EXPECT_EQ(log->textCursor().position(), 0);
  EXPECT_EQ(window.focusWidget(), log);
  window.ClearLog();
  EXPECT_TRUE(log->toPlainText().isEmpty());
}

TEST(MainWindow, DecompileOpensTheDialogUnlessGreyed) {
  MainWindow window;
  window.show();
  window.BeginRun();
  EXPECT_TRUE(window.RunTimer()->isActive());
  window.DecompileAction()->trigger();
  window.Decompile();
  EXPECT_EQ(window.findChild<DecompileBox*>(), nullptr);
  window.EndRun();
  EXPECT_FALSE(window.RunTimer()->isActive());
  window.DecompileAction()->trigger();
  auto* box = window.findChild<DecompileBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(box->isModal());
}

TEST(Accessibility, EveryControlHasAName) {
  MainWindow window;
  window.show();
  window.CompileAction()->trigger();
  {
    auto* compile = window.findChild<CompileBox*>();
    ASSERT_NE(compile, nullptr);
    SCOPED_TRACE("Compile");
    ExpectEveryControlNamed(*compile);
    EXPECT_EQ(AccessibleName(compile->ReportEdit()), QStringLiteral("Report:"));
    compile->reject();
  }
  window.DecompileAction()->trigger();
  window.AboutAction()->trigger();
  {
    SCOPED_TRACE("main window");
    ExpectEveryControlNamed(window);
  }
  EXPECT_EQ(AccessibleName(window.LogPane()), QStringLiteral("Progress log"));
  QStringList items;
  for (QMenu* menu : window.findChildren<QMenu*>()) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu);
    ASSERT_NE(iface, nullptr);
    for (int i = 0; i < iface->childCount(); ++i) {
      items << iface->child(i)->text(QAccessible::Name);
    }
  }
  items.sort();
  EXPECT_EQ(items, (QStringList{QStringLiteral("About..."),
                                QStringLiteral("Compile..."),
                                QStringLiteral("Decompile..."),
                                QStringLiteral("Exit")}));
  auto* decompile = window.findChild<DecompileBox*>();
  ASSERT_NE(decompile, nullptr);
  {
    SCOPED_TRACE("Decompile");
    ExpectEveryControlNamed(*decompile);
  }
  EXPECT_EQ(AccessibleName(decompile->InputEdit()),
            QStringLiteral("Input File(s):"));
  EXPECT_EQ(AccessibleName(decompile->OutputEdit()),
            QStringLiteral("Output File(s):"));
  auto* about = window.findChild<AboutBox*>();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  {
    SCOPED_TRACE("About");
    ExpectEveryControlNamed(*about);
  }
}

}  // namespace
}  // namespace quorlith
