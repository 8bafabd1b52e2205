#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>

#include "runs/fake_file_system.h"
#include "setfile/set_file_builder.h"
#include "shell/settings_editor.h"

namespace quorlith {
namespace {

QString AccessibleName(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

TEST(MainWindow, TitleMenusAndLogPane) {
  MainWindow window;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorlith"));
  QStringList items;
  for (QAction* menu : window.menuBar()->actions()) {
    items << menu->text();
    for (QAction* item : menu->menu()->actions()) items << item->text();
  }
  EXPECT_EQ(items,
            (QStringList{"&File", "&Decompile...", "&Compile...",
                         "&Edit Set File...", "E&xit", "&Help", "&About..."}));

  QPlainTextEdit* log = window.LogPane();
  EXPECT_FALSE(window.SummaryLine()->isVisibleTo(&window));
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
    EXPECT_EQ(QRect(window.LogPane()->mapTo(&window, QPoint(0, 0)),
                    window.LogPane()->size()),
              free_area);
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

// No dialog opens during a run; after it each command opens its own, and
// as the dialogs are the window's children, checking the window with every
// dialog open checks theirs too.
TEST(MainWindow, DialogsOpenUnlessGreyedAndEveryControlHasAName) {
  MainWindow window;
  window.show();
  window.BeginRun();
  EXPECT_TRUE(window.RunTimer()->isActive());
  window.Decompile();
  window.Compile();
  EXPECT_EQ(window.findChild<QDialog*>(), nullptr);
  window.EndRun();
  EXPECT_FALSE(window.RunTimer()->isActive());
  window.CompileAction()->trigger();
  window.DecompileAction()->trigger();
  window.AboutAction()->trigger();
  QStringList titles;
  for (QDialog* box : window.findChildren<QDialog*>()) {
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->isModal());
    titles << box->windowTitle();
  }
  titles.sort();
  EXPECT_EQ(titles, (QStringList{"About Quorlith", "Compile", "Decompile"}));
  // Every widget a user can reach or read: focusable ones, labels, menus.
  int checked = 0;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    bool control =
        widget->focusPolicy() != Qt::NoFocus || qobject_cast<QLabel*>(widget) ||
        qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget);
    if (!control) continue;
    SCOPED_TRACE(widget->metaObject()->className());
    EXPECT_FALSE(AccessibleName(widget).isEmpty());
    ++checked;
  }
  EXPECT_GT(checked, 0);
  EXPECT_EQ(AccessibleName(window.LogPane()), QStringLiteral("Progress log"));
}

// File > Edit Set File... (Ctrl+E) opens the editor, a window of its own,
// or says in a message box why it cannot.
TEST(MainWindow, EditSetFileOpensTheEditorOrSaysWhy) {
  FakeFileSystem fs;
  fs.AddFile("/sets/A.000", SetFileBuilder().Bytes());
  MainWindow window;
  window.SetFileSystem(&fs);
  QStringList errors;
  window.SetErrorBox([&](const QString& text) { errors << text; });
  QString chosen = QStringLiteral("/sets/none.000");
  window.SetFileChooser([&] { return chosen; });
  EXPECT_EQ(window.EditAction()->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_E));
  window.EditAction()->trigger();
  EXPECT_TRUE(window.findChildren<SettingsEditor*>().isEmpty());
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors.front().contains(QStringLiteral("/sets/none.000")))
      << errors.front().toStdString();
  chosen = QStringLiteral("/sets/A.000");
  window.EditAction()->trigger();
  QList<SettingsEditor*> editors = window.findChildren<SettingsEditor*>();
  ASSERT_EQ(editors.size(), 1);
  EXPECT_TRUE(editors.front()->isWindow());
  EXPECT_TRUE(editors.front()->isVisible());
  EXPECT_EQ(editors.front()->windowTitle(), QStringLiteral("A.000 - Settings"));
}

}  // namespace
}  // namespace quorlith
