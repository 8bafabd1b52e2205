#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <string_view>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTextCursor;
class QTimer;

namespace quorlith {

class DecompileBox;
class FileSystem;
class SettingsEditor;
class RunSession;
struct CompileRequest;
struct DecompileRequest;
struct ViewerText;

// The log as the pane shows it (see the toolkit-free LogPaneText): one
// line per message, plain line breaks, no empty line after the last.
QString LogPaneText(std::u16string_view log);

// Line `line` of `pane` selected, the caret at its start.
QTextCursor LineSelected(const QPlainTextEdit* pane, int line);

// The main window: the File and Help menus, the read-only log pane that
// fills it and, from the first run on, the one-line summary above the
// pane. It knows nothing of runs; the shell prepares and ends them
// through the functions below, and the session answers what the log's
// lines lead to.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The run timer's period; it keeps events arriving while a run pumps.
  static constexpr int kRunTimerMs = 200;

  explicit MainWindow(QWidget* parent = nullptr);

  // The session whose last run the pane shows; none: no line leads
  // anywhere.
  void SetSession(RunSession* session) { session_ = session; }
  // The file system the settings editor reads and writes; none: File >
  // Edit Set File... does nothing.
  void SetFileSystem(FileSystem* fs) { fs_ = fs; }

  // Greys "&Decompile..." and "&Compile...", starts the run timer and
  // shows the summary area ("Running..." until progress comes), with the
  // focus on the pane.
  void BeginRun();
  // Undoes BeginRun.
  void EndRun();
  // Empties the log pane.
  void ClearLog();
  // Shows how far a run has come in the summary area.
  void ShowProgress(const QString& text);
  // Replaces the pane's text with `text`, its caret on the first line,
  // and shows `summary`, which takes the focus so that a screen reader
  // says it; an empty summary hides the area and the
  // pane takes the focus at once.
  void ShowLog(const QString& text, const QString& summary = {});

  // Opens `view` in a viewer window of its own.
  void OpenViewer(const ViewerText& view);
  // Shows a problem (a file and the reason) in a message box.
  void ShowError(const QString& text);

  QPlainTextEdit* LogPane() const { return log_; }
  QLabel* SummaryLine() const { return summary_; }
  QAction* DecompileAction() const { return decompile_action_; }
  QAction* CompileAction() const { return compile_action_; }
  QAction* EditAction() const { return edit_action_; }
  QAction* ExitAction() const { return exit_action_; }
  QAction* AboutAction() const { return about_action_; }
  QAction* ViewAction() const { return view_action_; }
  QAction* NextErrorAction() const { return next_error_action_; }
  QAction* PreviousErrorAction() const { return previous_error_action_; }
  // The menu the pane offers on Shift+F10, the menu key or a right click.
  QMenu* NewLogMenu();

  // For tests: replace QApplication::beep, the error's message box and
  // the file dialog of Edit Set File....
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }
  void SetErrorBox(std::function<void(const QString&)> box) {
    error_box_ = std::move(box);
  }
  void SetFileChooser(std::function<QString()> chooser) {
    choose_file_ = std::move(chooser);
  }

 public slots:
  // Opens the Decompile dialog, unless a run greyed its command.
  void Decompile();
  // The same, ready to compare `original` with new files.
  void DecompileWith(const QString& original);
  // Opens the Compile dialog, likewise.
  void Compile();
  // Asks for a set file and opens the settings editor on it.
  void EditSetFile();
  // Opens the settings editor on `path`, a window of its own; null, after
  // a message box, when the file cannot be edited.
  SettingsEditor* OpenEditor(const QString& path);
  void About();
  // Opens what the caret's log line names, or beeps.
  void ViewLine();
  // Moves the caret to the next (or previous) error line, or beeps.
  void StepError(bool forward);

 signals:
  void decompileRequested(const quorlith::DecompileRequest& request);
  void compileRequested(const quorlith::CompileRequest& request);
  // The window was closed and is about to be destroyed.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  // The Decompile dialog, open, or null while a run greys its command.
  DecompileBox* OpenDecompileBox();
  int CaretLine() const;

  RunSession* session_ = nullptr;
  FileSystem* fs_ = nullptr;
  QLabel* summary_;
  QPlainTextEdit* log_;
  QTimer* run_timer_;
  QAction* decompile_action_ = nullptr;
  QAction* compile_action_ = nullptr;
  QAction* edit_action_ = nullptr;
  QAction* exit_action_ = nullptr;
  QAction* about_action_ = nullptr;
  QAction* view_action_ = nullptr;
  QAction* next_error_action_ = nullptr;
  QAction* previous_error_action_ = nullptr;
  std::function<void()> beep_;
  std::function<void(const QString&)> error_box_;
  std::function<QString()> choose_file_;
};

}  // namespace quorlith
