#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <map>
#include <vector>

#include "runs/fake_file_system.h"
#include "shell/about_box.h"
#include "shell/compile_box.h"
#include "shell/decompile_box.h"
#include "shell/settings_editor.h"

namespace quorlith {
namespace {

QString Accessible(QObject* object, QAccessible::Text text) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(text) : QString();
}

// Each label's text with the field it names: what a screen reader speaks
// for the field and what its mnemonic reaches.
std::map<QString, QWidget*> Buddies(const QWidget& dialog) {
  std::map<QString, QWidget*> buddies;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    buddies[label->text()] = label->buddy();
  }
  return buddies;
}

// The widgets Tab reaches from `from` on, until it comes back there.
std::vector<const QWidget*> TabChain(const QWidget* from) {
  std::vector<const QWidget*> chain{from};
  for (const QWidget* at = from->nextInFocusChain(); at != from;
       at = at->nextInFocusChain()) {
    if (at->focusPolicy() != Qt::NoFocus) chain.push_back(at);
  }
  return chain;
}

TEST(MainWindow, MenusLogPaneDialogsAndEveryControlNamed) {
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
  EXPECT_EQ(QKeySequence::listToString({window.DecompileAction()->shortcut(),
                                        window.CompileAction()->shortcut(),
                                        window.EditAction()->shortcut()}),
            QStringLiteral("Ctrl+O; Ctrl+B; Ctrl+E"));
  EXPECT_TRUE(window.LogPane()->isReadOnly());
  EXPECT_TRUE(window.LogPane()->textInteractionFlags() &
              Qt::TextSelectableByKeyboard);
  EXPECT_FALSE(window.SummaryLine()->isVisibleTo(&window));

  // No dialog opens during a run; after it each command opens its own,
  // and as the dialogs are the window's children, checking the window with
  // every dialog open checks theirs too.
  window.show();
  window.BeginRun();
  window.Decompile();
  window.Compile();
  EXPECT_EQ(window.findChild<QDialog*>(), nullptr);
  window.EndRun();
  window.CompileAction()->trigger();
  window.DecompileAction()->trigger();
  window.AboutAction()->trigger();
  QStringList titles;
  for (QDialog* box : window.findChildren<QDialog*>()) {
    EXPECT_TRUE(box->isVisible() && box->isModal());
    titles << box->windowTitle();
  }
  titles.sort();
  EXPECT_EQ(titles, (QStringList{"About Quorlith", "Compile", "Decompile"}));
  // Every widget a user can reach or read: focusable ones, labels, menus.
  int checked = 0;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->focusPolicy() != Qt::NoFocus || qobject_cast<QLabel*>(widget) ||
        qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget)) {
      EXPECT_FALSE(Accessible(widget, QAccessible::Name).isEmpty())
          << widget->metaObject()->className();
      ++checked;
    }
  }
  EXPECT_GT(checked, 20);
  EXPECT_EQ(Accessible(window.LogPane(), QAccessible::Name),
            QStringLiteral("Progress log"));
}

// File > Edit Set File... opens the file chosen in the editor, or says in
// a message box why it cannot (the shell's tests open one).
TEST(MainWindow, EditSetFileOpensTheEditorOrSaysWhy) {
  FakeFileSystem fs;
  MainWindow window;
  window.SetFileSystem(&fs);
  QStringList errors;
  window.SetErrorBox([&](const QString& text) { errors << text; });
  window.SetFileChooser([] { return QStringLiteral("/sets/none.000"); });
  window.EditAction()->trigger();
  EXPECT_EQ(window.findChild<SettingsEditor*>(), nullptr);
  EXPECT_EQ(errors, QStringList{"Error: Cannot open file /sets/none.000"});
}

// The About box: a screen reader reads both its lines as it opens, and
// only OK closes it, not Escape nor a close request.
TEST(AboutBox, ReadsItsLinesAndClosesOnlyWithOk) {
  AboutBox box;
  EXPECT_EQ(Accessible(&box, QAccessible::Description),
            QStringLiteral("Quorlith v. 7.0\nfor Orvalen"));
  QSignalSpy finished(&box, &QDialog::finished);
  box.show();
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_FALSE(box.close());
  box.OkButton()->click();
  EXPECT_EQ(finished, (QList<QVariantList>{{QDialog::Accepted}}));
}

// Each label names its field; each field's Browse... button follows it,
// and OK joins the tab chain even while it is disabled. Enter, from either
// part of the keyboard, beeps without an input and puts the focus there;
// Cancel sends nothing. The output's Browse... asks for files to read once
// the box is ticked (the new files of a comparison); OK sends the fields,
// each cut at its limit, and the box.
TEST(DecompileBox, LabelsTabOrderEnterCancelBrowseAndOk) {
  DecompileBox box;
  EXPECT_EQ(Buddies(box), (std::map<QString, QWidget*>{
                              {"&Input File(s):", box.InputEdit()},
                              {"&Output File(s):", box.OutputEdit()}}));
  EXPECT_EQ(
      (QStringList{box.InputBrowseButton()->text(),
                   box.OutputBrowseButton()->text(), box.CompareBox()->text()}),
      (QStringList{"Bro&wse...", "Brow&se...", "&Compare Set Files"}));
  EXPECT_EQ((QStringList{box.InputBrowseButton()->accessibleName(),
                         box.OutputBrowseButton()->accessibleName()}),
            (QStringList{"Browse for input files", "Browse for output files"}));
  EXPECT_EQ(TabChain(box.InputEdit()),
            (std::vector<const QWidget*>{
                box.InputEdit(), box.InputBrowseButton(), box.OutputEdit(),
                box.OutputBrowseButton(), box.CompareBox(), box.OkButton(),
                box.CancelButton()}));
  int beeps = 0;
  box.SetBeep([&] { ++beeps; });
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
  EXPECT_EQ(box.focusWidget(), box.OutputEdit());
  QTest::keyClick(box.OutputEdit(), Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(box.InputEdit(), Qt::Key_Return);
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(box.focusWidget(), box.InputEdit());
  EXPECT_FALSE(box.OkButton()->isEnabled());
  box.CancelButton()->click();
  EXPECT_FALSE(box.isVisible());

  box.show();
  box.InputEdit()->setText(QString(600, QLatin1Char('i')));
  box.OutputEdit()->setText(QStringLiteral("/new/"));
  box.CompareBox()->click();
  box.OutputBrowseButton()->click();
  EXPECT_EQ(saves, (std::vector<bool>{true, false}));
  box.OkButton()->click();
  EXPECT_FALSE(box.isVisible());
  ASSERT_EQ(requested.count(), 1);
  auto request = requested.at(0).at(0).value<DecompileRequest>();
  EXPECT_EQ(request.mode, RunMode::kCompare);
  EXPECT_EQ(request.input, std::string(kMaxFieldLength, 'i'));
  EXPECT_EQ(request.output, "/new/*");
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
  EXPECT_LE((box.frameGeometry().center() - main.frameGeometry().center())
                .manhattanLength(),
            2);
}

// Each label names its field, whose description says what it takes; the
// keyboard reaches every field and its Browse... button in order, and OK
// after them. Enter beeps while OK is disabled; each Browse... button asks
// for its own kind of file and fills its field, and a path pasted in
// quotes is taken without them.
TEST(CompileBox, LabelsTabOrderEnterBrowseAndQuotes) {
  CompileBox box;
  EXPECT_EQ(Buddies(box), (std::map<QString, QWidget*>{
                              {"&Report:", box.ReportEdit()},
                              {"&Base Set File(s):", box.BaseEdit()},
                              {"&Output Set File:", box.OutputEdit()}}));
  EXPECT_FALSE(box.BaseEdit()->accessibleDescription().isEmpty());
  QList<QPushButton*> browse = box.BrowseButtons();
  ASSERT_EQ(browse.size(), 3);
  EXPECT_EQ(
      (QStringList{browse[0]->text(), browse[1]->text(), browse[2]->text()}),
      (QStringList{"Bro&wse...", "Brow&se...", "Brows&e..."}));
  EXPECT_EQ(
      TabChain(box.ReportEdit()),
      (std::vector<const QWidget*>{box.ReportEdit(), browse[0], box.BaseEdit(),
                                   browse[1], box.OutputEdit(), browse[2],
                                   box.OkButton(), box.CancelButton()}));
  int beeps = 0;
  box.SetBeep([&] { ++beeps; });
  QStringList asked;
  box.SetFileChooser(
      [&](QWidget*, const QString& title, const QString&, bool save) {
        asked << title + (save ? " to write" : "");
        return QStringLiteral("/chosen/") + QString::number(asked.size());
      });
  box.show();
  QSignalSpy requested(&box, &CompileBox::compileRequested);
  QTest::keyClick(box.ReportEdit(), Qt::Key_Return);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(
      (QStringList{browse[0]->text(), browse[1]->text(), browse[2]->text()}),
      (QStringList{"Bro&wse...", "Brow&se...", "Brows&e..."}));
  for (QPushButton* button : browse) button->click();
  EXPECT_EQ(asked, (QStringList{"Browse for the report",
                                "Browse for the base set file",
                                "Browse for the output set file to write"}));
  box.ReportEdit()->setText(QStringLiteral("\"/my sets/A B.t00\""));
  QTest::keyClick(box.OutputEdit(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(box.isVisible());
  ASSERT_EQ(requested.count(), 1);
  auto request = requested.at(0).at(0).value<CompileRequest>();
  EXPECT_EQ(request.report, "/my sets/A B.t00");
  EXPECT_EQ(request.base, "/chosen/2");
  EXPECT_EQ(request.output, "/chosen/3");
}

}  // namespace
}  // namespace quorlith
