#include "shell/settings_editor.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "runs/fake_file_system.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

QString NameOf(QObject* object) {
  return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

// The name a screen reader gets for the tree's current item.
QString CurrentItemName(QTreeView* tree) {
  QAccessibleInterface* focused =
      QAccessible::queryAccessibleInterface(tree)->focusChild();
  return focused != nullptr ? focused->text(QAccessible::Name) : QString();
}

// From the keyboard: find a setting, refuse a value with the reason and
// the focus kept, take one, undo and redo it, pick a name from a list,
// choose a command into a text, save, and be asked before changes are
// lost.
TEST(SettingsEditor, FindEditRefuseUndoSaveFromTheKeyboard) {
  FakeFileSystem fs;
  fs.AddFile("/sets/A.000", SetFileBuilder().Bytes());
  QPointer<SettingsEditor> editor = new SettingsEditor(fs);
  int beeps = 0;
  int asked = 0;
  editor->dialogs().beep = [&] { ++beeps; };
  editor->dialogs().ask_unsaved = [&](QWidget*, const QString&) {
    ++asked;
    return SettingsEditor::Answer::kCancel;
  };
  ASSERT_TRUE(editor->OpenFile(QStringLiteral("/sets/A.000")));
  editor->show();
  editor->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
  QTreeView* tree = editor->Tree();
  EXPECT_EQ(editor->focusWidget(), tree);
  EXPECT_EQ(CurrentItemName(tree), QStringLiteral("Menu 1 - Screen"));
  // Opening a section leaves it the current item: what happened is told.
  QTest::keyClick(tree, Qt::Key_Right);
  EXPECT_EQ(editor->Status()->text(),
            QStringLiteral("Menu 1 - Screen expanded"));

  QTest::keySequence(editor, QKeySequence::Find);
  QTest::keyClicks(editor->FindEdit(), "key_rate");
  QTest::keyClick(editor->FindEdit(), Qt::Key_Return);
  EXPECT_EQ(editor->focusWidget(), tree);
  EXPECT_EQ(CurrentItemName(tree), QStringLiteral("Key_Rate = 0"));

  QTest::keyClick(tree, Qt::Key_Return);
  QLineEdit* field = editor->ValueEdit();
  ASSERT_EQ(editor->focusWidget(), field);
  EXPECT_EQ(NameOf(field),
            QStringLiteral("Key_Rate (a number from -32768 to 32767):"));
  QTest::keyClicks(field, "70000");
  QTest::keyClick(field, Qt::Key_Return);
  const QString refused =
      QStringLiteral("Key_Rate: \"70000\" is out of range: -32768 to 32767");
  // The reason is a notification, which screen readers say as it appears.
  QAccessibleInterface* said =
      QAccessible::queryAccessibleInterface(editor->Problem());
  EXPECT_EQ(said->role(), QAccessible::Notification);
  EXPECT_EQ(said->text(QAccessible::Name), refused);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(field)->text(
                QAccessible::Description),
            refused);
  EXPECT_EQ(editor->focusWidget(), field);
  field->selectAll();
  QTest::keyClicks(field, "70");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(editor->focusWidget(), tree);
  EXPECT_EQ(CurrentItemName(tree), QStringLiteral("Key_Rate = 70"));
  EXPECT_EQ(editor->windowTitle(), QStringLiteral("A.000, changed - Settings"));

  // An undo where the focus is says what it did: the item's new text
  // would go unsaid.
  QTest::keySequence(editor, QKeySequence::Undo);
  EXPECT_EQ(CurrentItemName(tree), QStringLiteral("Key_Rate = 0"));
  EXPECT_EQ(editor->Status()->text(), QStringLiteral("Undone: Key_Rate = 0"));
  QTest::keySequence(editor, QKeySequence(Qt::CTRL | Qt::Key_Y));
  EXPECT_EQ(CurrentItemName(tree), QStringLiteral("Key_Rate = 70"));

  // A name from the list: Up from the first name and Down to the next.
  QTest::keyClick(tree, Qt::Key_Up);
  EXPECT_EQ(CurrentItemName(tree), QStringLiteral("Key_Voice = Off"));
  QTest::keyClick(tree, Qt::Key_F2);
  QListWidget* choice = editor->ValueChoice();
  ASSERT_EQ(editor->focusWidget(), choice);
  EXPECT_EQ(choice->currentItem()->text(), QStringLiteral("Off"));
  QTest::keyClick(choice, Qt::Key_Down);
  QTest::keyClick(choice, Qt::Key_Return);
  EXPECT_EQ(CurrentItemName(tree),
            QStringLiteral("Key_Voice = On_with_Characters"));
  // Escape leaves the field and changes nothing.
  QTest::keyClick(tree, Qt::Key_F2);
  QTest::keyClick(choice, Qt::Key_Down);
  QTest::keyClick(choice, Qt::Key_Escape);
  EXPECT_EQ(editor->focusWidget(), tree);
  EXPECT_EQ(CurrentItemName(tree),
            QStringLiteral("Key_Voice = On_with_Characters"));

  // A command from the list, by its mnemonic, in place of the word at
  // the field's caret; stored only by the field's own Enter.
  QTest::keySequence(editor, QKeySequence::Find);
  QTest::keyClicks(editor->FindEdit(), "key#05");
  QTest::keyClick(editor->FindEdit(), Qt::Key_Return);
  // On to its delay, the next line that holds "key#0", and back.
  QTest::keySequence(editor, QKeySequence::Find);
  QTest::keyClicks(editor->FindEdit(), "key#0");
  QTest::keySequence(editor, QKeySequence::FindNext);
  EXPECT_TRUE(CurrentItemName(tree).startsWith(QStringLiteral("Key#05_delay")));
  QTest::keySequence(editor, QKeySequence::FindPrevious);
  const QString unchanged = CurrentItemName(tree);
  EXPECT_TRUE(unchanged.startsWith(QStringLiteral("Key#05 = ")));
  QTest::keyClick(tree, Qt::Key_Return);
  field->selectAll();
  QTest::keyClicks(field, "Alt-Home Word");
  field->setCursorPosition(10);
  QTest::keyClick(field, Qt::Key_C, Qt::AltModifier);
  QListWidget* commands = editor->Commands();
  ASSERT_EQ(editor->focusWidget(), commands);
  EXPECT_EQ(NameOf(commands), QStringLiteral("Commands:"));
  QTest::keyClicks(commands, "Line");
  QTest::keyClick(commands, Qt::Key_Return);
  EXPECT_EQ(editor->focusWidget(), field);
  EXPECT_EQ(field->text(), QStringLiteral("Alt-Home Line"));
  EXPECT_EQ(field->cursorPosition(), 13);
  EXPECT_EQ(CurrentItemName(tree), unchanged);
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(CurrentItemName(tree), QStringLiteral("Key#05 = Alt-Home Line "));

  editor->close();
  EXPECT_EQ(asked, 1);
  ASSERT_FALSE(editor.isNull());
  QTest::keySequence(editor, QKeySequence::Save);
  EXPECT_EQ(editor->windowTitle(), QStringLiteral("A.000 - Settings"));
  EXPECT_EQ(editor->Status()->text(), QStringLiteral("Saved A.000"));
  EXPECT_EQ(beeps, 1);
  editor->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(editor.isNull());
}

}  // namespace
}  // namespace quorlith
