#pragma once

#include <QMainWindow>
#include <QString>
#include <string_view>

class QAction;
class QPlainTextEdit;
class QTimer;

namespace quorlith {

struct CompileRequest;
struct DecompileRequest;

// The log as the pane shows it (see the toolkit-free LogPaneText): one
// line per message, plain line breaks, no empty line after the last.
QString LogPaneText(std::u16string_view log);

// The main window: the File and Help menus and the read-only log pane
// that fills it. It knows nothing of runs; the shell prepares and ends
// them through the functions below.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The run timer's period; it keeps events arriving while a run pumps.
  static constexpr int kRunTimerMs = 200;

  explicit MainWindow(QWidget* parent = nullptr);

  // Greys "&Decompile..." and "&Compile..." and starts the run timer.
  void BeginRun();
  // Undoes BeginRun.
  void EndRun();
  // Empties the log pane.
  void ClearLog();
  // Replaces the pane's text with `text` and puts the focus on its first
  // line, where a screen reader starts reading.
  void ShowLog(const QString& text);

  QPlainTextEdit* LogPane() const { return log_; }
  QAction* DecompileAction() const { return decompile_action_; }
  QAction* CompileAction() const { return compile_action_; }
  QAction* ExitAction() const { return exit_action_; }
  QAction* AboutAction() const { return about_action_; }
  const QTimer* RunTimer() const { return run_timer_; }

 public slots:
  // Opens the Decompile dialog, unless a run greyed its command.
  void Decompile();
  // Opens the Compile dialog, likewise.
  void Compile();
  void About();

 signals:
  void decompileRequested(const quorlith::DecompileRequest& request);
  void compileRequested(const quorlith::CompileRequest& request);
  // The window was closed and is about to be destroyed.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();

  QPlainTextEdit* log_;
  QTimer* run_timer_;
  QAction* decompile_action_ = nullptr;
  QAction* compile_action_ = nullptr;
  QAction* exit_action_ = nullptr;
  QAction* about_action_ = nullptr;
};

}  // namespace quorlith
