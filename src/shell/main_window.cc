#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>

#include "shell/about_box.h"
#include "shell/compile_box.h"
#include "shell/decompile_box.h"
#include "shell/run_session.h"

namespace quorlith {

QString LogPaneText(std::u16string_view log) {
  return QString::fromStdU16String(LogPaneText(log, u"\n"));
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(tr("Quorlith"));
  setAttribute(Qt::WA_DeleteOnClose);

  log_ = new QPlainTextEdit;
  log_->setReadOnly(true);
  log_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                Qt::TextSelectableByKeyboard);
  log_->setLineWrapMode(QPlainTextEdit::NoWrap);
  log_->setAccessibleName(tr("Progress log"));
  setCentralWidget(log_);
  setFocusProxy(log_);

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
  connect(compile_action_, &QAction::triggered, this, &MainWindow::Compile);
  exit_action_ = file_menu->addAction(tr("E&xit"));
  exit_action_->setShortcut(QKeySequence::Quit);
  connect(exit_action_, &QAction::triggered, this, &QWidget::close);

  QMenu* help_menu = menuBar()->addMenu(tr("&Help"));
  help_menu->setAccessibleName(tr("Help"));
  about_action_ = help_menu->addAction(tr("&About..."));
  connect(about_action_, &QAction::triggered, this, &MainWindow::About);
}

void MainWindow::BeginRun() {
  decompile_action_->setEnabled(false);
  compile_action_->setEnabled(false);
  run_timer_->start();
}

void MainWindow::EndRun() {
  decompile_action_->setEnabled(true);
  compile_action_->setEnabled(true);
  run_timer_->stop();
}

void MainWindow::ClearLog() { log_->clear(); }

void MainWindow::ShowLog(const QString& text) {
  log_->setPlainText(text);
  log_->moveCursor(QTextCursor::Start);
  log_->setFocus();
}

void MainWindow::Decompile() {
  if (!decompile_action_->isEnabled()) return;
  auto* box = new DecompileBox(this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &DecompileBox::decompileRequested, this,
          &MainWindow::decompileRequested);
  box->open();
}

void MainWindow::Compile() {
  if (!compile_action_->isEnabled()) return;
  auto* box = new CompileBox(this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &CompileBox::compileRequested, this,
          &MainWindow::compileRequested);
  box->open();
}

void MainWindow::About() {
  auto* box = new AboutBox(this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  emit closed();
  event->accept();
}

}  // namespace quorlith
