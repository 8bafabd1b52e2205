#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/about_box.h"
#include "shell/compile_box.h"
#include "shell/decompile_box.h"
#include "shell/ok_dialog.h"
#include "shell/report_viewer.h"
#include "shell/run_session.h"
#include "shell/settings_editor.h"

namespace quorlith {

QString LogPaneText(std::u16string_view log) {
  return QString::fromStdU16String(LogPaneText(log, u"\n"));
}

// Screen readers say a line the caret jumps to on a command key only
// when it comes selected; the caret stays at the line's start.
QTextCursor LineSelected(const QPlainTextEdit* pane, int line) {
  QTextBlock block = pane->document()->findBlockByNumber(line);
  QTextCursor cursor(block);
  cursor.setPosition(block.position() + block.length() - 1);
  cursor.setPosition(block.position(), QTextCursor::KeepAnchor);
  return cursor;
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), beep_(&QApplication::beep) {
  setWindowTitle(tr("Quorlith"));
  setAttribute(Qt::WA_DeleteOnClose);
  error_box_ = [this](const QString& text) {
    QMessageBox::warning(this, tr("Quorlith"), text);
  };
  choose_file_ = [this] {
    return ChooseFile(this, tr("Edit Set File"), {}, false);
  };

  // A label, not a read-only field: its text changes without a caret
  // that moves, which a screen reader would take for the focus arriving
  // and then say nothing when it does. Its name is its text, so a screen
  // reader says the summary alone when it takes the focus.
  summary_ = new QLabel(tr("No run yet"));
  summary_->setFocusPolicy(Qt::StrongFocus);
  summary_->setFrameShape(QFrame::StyledPanel);
  summary_->setMargin(2);
  summary_->hide();

  log_ = new QPlainTextEdit;
  log_->setReadOnly(true);
  log_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                Qt::TextSelectableByKeyboard);
  log_->setLineWrapMode(QPlainTextEdit::NoWrap);
  log_->setAccessibleName(tr("Progress log"));
  log_->setContextMenuPolicy(Qt::CustomContextMenu);
  log_->installEventFilter(this);
  connect(log_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) {
            QMenu* menu = NewLogMenu();
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(log_->viewport()->mapToGlobal(at));
          });

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(summary_);
  layout->addWidget(log_, 1);
  setCentralWidget(central);
  setFocusProxy(log_);
  setTabOrder(summary_, log_);

  run_timer_ = new QTimer(this);
  run_timer_->setInterval(kRunTimerMs);

  CreateActions();
  resize(640, 400);
}

void MainWindow::CreateActions() {
  menuBar()->setAccessibleName(tr("Menu bar"));
  QMenu* file_menu = menuBar()->addMenu(tr("&File"));
  file_menu->setAccessibleName(tr("File"));
  decompile_action_ = file_menu->addAction(tr("&Decompile..."));
  decompile_action_->setShortcut(QKeySequence::Open);
  connect(decompile_action_, &QAction::triggered, this, &MainWindow::Decompile);
  compile_action_ = file_menu->addAction(tr("&Compile..."));
  compile_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(compile_action_, &QAction::triggered, this, &MainWindow::Compile);
  edit_action_ = file_menu->addAction(tr("&Edit Set File..."));
  edit_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  connect(edit_action_, &QAction::triggered, this, &MainWindow::EditSetFile);
  exit_action_ = file_menu->addAction(tr("E&xit"));
  exit_action_->setShortcut(QKeySequence::Quit);
  connect(exit_action_, &QAction::triggered, this, &QWidget::close);

  QMenu* help_menu = menuBar()->addMenu(tr("&Help"));
  help_menu->setAccessibleName(tr("Help"));
  about_action_ = help_menu->addAction(tr("&About..."));
  connect(about_action_, &QAction::triggered, this, &MainWindow::About);

  // The log's own commands live in its context menu; their keys work
  // anywhere in the window.
  view_action_ = new QAction(tr("&Open Report"), this);
  view_action_->setShortcut(QKeySequence(Qt::Key_Enter));
  view_action_->setShortcutContext(Qt::WidgetShortcut);
  connect(view_action_, &QAction::triggered, this, &MainWindow::ViewLine);
  next_error_action_ = new QAction(tr("&Next Error"), this);
  next_error_action_->setShortcut(QKeySequence(Qt::Key_F8));
  connect(next_error_action_, &QAction::triggered, this,
          [this] { StepError(true); });
  previous_error_action_ = new QAction(tr("&Previous Error"), this);
  previous_error_action_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8));
  connect(previous_error_action_, &QAction::triggered, this,
          [this] { StepError(false); });
  addAction(next_error_action_);
  addAction(previous_error_action_);
}

QMenu* MainWindow::NewLogMenu() {
  auto* menu = new QMenu(this);
  menu->setAccessibleName(tr("Log"));
  view_action_->setEnabled(
      session_ != nullptr &&
      session_->LineHasView(static_cast<std::size_t>(CaretLine())));
  menu->addAction(view_action_);
  menu->addAction(next_error_action_);
  menu->addAction(previous_error_action_);
  menu->addSeparator();
  QMenu* standard = log_->createStandardContextMenu();
  for (QAction* action : standard->actions()) menu->addAction(action);
  standard->setParent(menu);
  return menu;
}

void MainWindow::BeginRun() {
  decompile_action_->setEnabled(false);
  compile_action_->setEnabled(false);
  run_timer_->start();
  summary_->setText(tr("Running..."));
  summary_->show();
  log_->setFocus();
}

void MainWindow::EndRun() {
  decompile_action_->setEnabled(true);
  compile_action_->setEnabled(true);
  run_timer_->stop();
}

void MainWindow::ClearLog() { log_->clear(); }

void MainWindow::ShowProgress(const QString& text) { summary_->setText(text); }

void MainWindow::ShowLog(const QString& text, const QString& summary) {
  log_->setPlainText(text);
  log_->moveCursor(QTextCursor::Start);
  summary_->setText(summary);
  summary_->setVisible(!summary.isEmpty());
  if (summary.isEmpty()) {
    log_->setFocus();
    return;
  }
  summary_->setFocus();
}

int MainWindow::CaretLine() const { return log_->textCursor().blockNumber(); }

void MainWindow::ViewLine() {
  ViewerText view;
  std::u16string error;
  if (session_ != nullptr &&
      session_->ViewLine(static_cast<std::size_t>(CaretLine()), view, error)) {
    OpenViewer(view);
  } else if (!error.empty()) {
    ShowError(QString::fromStdU16String(error));
  } else {
    beep_();
  }
}

void MainWindow::StepError(bool forward) {
  std::optional<std::size_t> line;
  if (session_ != nullptr) {
    line = session_->ErrorLine(static_cast<std::size_t>(CaretLine()), forward);
  }
  if (!line) {
    beep_();
    return;
  }
  log_->setTextCursor(LineSelected(log_, static_cast<int>(*line)));
  log_->setFocus();
}

void MainWindow::OpenViewer(const ViewerText& view) {
  auto* viewer = new ReportViewer(view, this);
  viewer->show();
  viewer->activateWindow();
}

void MainWindow::ShowError(const QString& text) { error_box_(text); }

void MainWindow::Decompile() { OpenDecompileBox(); }

DecompileBox* MainWindow::OpenDecompileBox() {
  if (!decompile_action_->isEnabled()) return nullptr;
  auto* box = new DecompileBox(this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &DecompileBox::decompileRequested, this,
          &MainWindow::decompileRequested);
  box->open();
  return box;
}

void MainWindow::DecompileWith(const QString& original) {
  if (DecompileBox* box = OpenDecompileBox()) box->CompareWith(original);
}

void MainWindow::Compile() {
  if (!compile_action_->isEnabled()) return;
  auto* box = new CompileBox(this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &CompileBox::compileRequested, this,
          &MainWindow::compileRequested);
  box->open();
}

void MainWindow::EditSetFile() {
  QString path = choose_file_();
  if (!path.isEmpty()) OpenEditor(path);
}

SettingsEditor* MainWindow::OpenEditor(const QString& path) {
  if (fs_ == nullptr) return nullptr;
  auto* editor = new SettingsEditor(*fs_, this);
  editor->dialogs().show_error = [this](QWidget*, const QString& text) {
    ShowError(text);
  };
  if (!editor->OpenFile(path)) {
    delete editor;
    return nullptr;
  }
  editor->show();
  editor->activateWindow();
  return editor;
}

void MainWindow::About() {
  auto* box = new AboutBox(this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

// An editor with unsaved changes asks first, and may keep the program
// open.
void MainWindow::closeEvent(QCloseEvent* event) {
  for (SettingsEditor* editor : findChildren<SettingsEditor*>()) {
    if (!editor->close()) {
      event->ignore();
      return;
    }
  }
  emit closed();
  event->accept();
}

// Enter on a log line, from either part of the keyboard, opens what it
// names; the pane itself would ignore it. Shift+F10 and the menu key open
// the pane's menu at the caret, as they do everywhere else.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == log_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key)) {
      ViewLine();
      return true;
    }
    if (key->key() == Qt::Key_Menu ||
        (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
      QMenu* menu = NewLogMenu();
      menu->setAttribute(Qt::WA_DeleteOnClose);
      menu->popup(
          log_->viewport()->mapToGlobal(log_->cursorRect().bottomLeft()));
      // From the keyboard the first command is chosen at once, so Enter
      // takes it and a screen reader says it.
      menu->setActiveAction(view_action_->isEnabled() ? view_action_
                                                      : next_error_action_);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quorlith
