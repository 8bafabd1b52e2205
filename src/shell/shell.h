#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "runs/file_system.h"
#include "runs/progress_log.h"
#include "runs/run.h"
#include "shell/run_session.h"

namespace quorlith {

class MainWindow;
struct DecompileRequest;

// The desktop program outside its widgets: builds the main window and
// does for the shared RunSession (which owns the log buffer and the cancel
// flag and wraps every run) what the Qt widgets do. It outlives the main
// window, so a run whose window was closed under it only touches state
// that still exists.
class Shell : public QObject, private RunHost {
  Q_OBJECT

 public:
  // Shows a start-up error: the text and the caption "Initialization
  // error".
  using ErrorBox = std::function<void(const QString& text)>;

  explicit Shell(FileSystem& fs, QObject* parent = nullptr);
  ~Shell() override;

  // Builds and shows the main window and obtains the log buffer. With
  // `names` (the arguments after the program name) it runs them at once,
  // or opens the viewer or the dialog they ask for (StartRequestFor);
  // without, it opens the Decompile dialog as soon as events are
  // processed. Returns false, after an error box, when the program cannot
  // start.
  [[nodiscard]] bool InitInstance(std::span<const std::string> names);

  // Runs what a command line names; more than three names run nothing and
  // show how the program is called instead.
  void StartCommandLineRun(std::span<const std::string> names);

  // The main window, or null once it was closed.
  MainWindow* Window() const;
  const LogBuffer* Log() const { return session_.Log(); }
  bool Running() const { return session_.Running(); }

  // For tests: replaces the message box of start-up errors and the
  // allocation of the log buffer.
  void SetErrorBox(ErrorBox box) { error_box_ = std::move(box); }
  void SetLogAllocator(std::function<std::unique_ptr<LogBuffer>()> allocate) {
    allocate_log_ = std::move(allocate);
  }
  RunSession& Session() { return session_; }

 private:
  void StartDialogRun(const DecompileRequest& request);

  // RunHost.
  bool WindowExists() override { return Window() != nullptr; }
  void BeginRun() override;
  // Lets pending events through without waiting and returns true when the
  // main window was closed.
  bool Pump() override;
  void ShowProgress(std::u16string_view text) override;
  void RestoreCursor() override;
  void EndRun() override;
  void ShowLog(std::u16string_view text, std::u16string_view summary) override;
  std::u16string_view LineEnd() const override { return u"\n"; }

  FileSystem& fs_;
  RunSession session_;
  QPointer<MainWindow> window_;
  ErrorBox error_box_;
  std::function<std::unique_ptr<LogBuffer>()> allocate_log_;
};

}  // namespace quorlith
