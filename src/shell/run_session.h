#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "runs/compile_run.h"
#include "runs/file_system.h"
#include "runs/progress_log.h"
#include "runs/run.h"

namespace quorlith {

// What the two desktop programs, Qt and Win32, share outside their
// toolkits. Each shell keeps only the code that talks to its widgets.

// The run mode of the Decompile dialog: a plain decompile, plus one step
// when an output name was given and one more when the comparison box is
// ticked. A ticked box without output name thus decompiles into the
// current folder.
RunMode RunModeFor(bool has_output, bool compare);

// The log as a pane shows it: one line per message, the log buffer's
// CR CR LF line ends (and any other LF) turned into `line_end`, every CR
// dropped, and no line end after the last line.
std::u16string LogPaneText(std::u16string_view log,
                           std::u16string_view line_end);

// A log buffer with room for its whole capacity, or null when the memory
// is not there.
std::unique_ptr<LogBuffer> AllocateLogBuffer();

// What a shell's main window does around a run; each toolkit has one.
class RunHost {
 public:
  virtual ~RunHost() = default;
  // True while the main window exists.
  virtual bool WindowExists() = 0;
  // Empties the log pane, greys "&Decompile...", starts the run timer and
  // shows the wait cursor.
  virtual void BeginRun() = 0;
  // Called after every file: lets the user interface catch up and returns
  // true when the main window is gone.
  virtual bool Pump() = 0;
  // Called after every run, window or not: puts the cursor back.
  virtual void RestoreCursor() = 0;
  // Enables "&Decompile..." and stops the run timer; only while the window
  // exists.
  virtual void EndRun() = 0;
  // Replaces the pane's text and puts the caret on its first line.
  virtual void ShowLog(std::u16string_view text) = 0;
  // The line end the pane takes between lines.
  virtual std::u16string_view LineEnd() const = 0;
};

// The state of a desktop program that outlives its main window: the log
// buffer, the cancel flag and whether a run is going on. Every run goes
// through the same preparation and clean-up here, whichever toolkit asks.
class RunSession {
 public:
  explicit RunSession(FileSystem& fs) : fs_(fs) {}

  // Takes the log buffer that runs write to; false when `log` is null.
  [[nodiscard]] bool AdoptLog(std::unique_ptr<LogBuffer> log);

  // Clears the log, prepares the window, runs, and, if the window is still
  // there, restores it and shows the log. Does nothing while a run is
  // going on (the greyed command keeps runs from nesting), once the window
  // is gone, or without a log.
  void Run(RunHost& host, RunMode mode, const std::string& input,
           const std::string& output);

  // The same for a compile: each of its problems is a line of the log.
  void Compile(RunHost& host, const CompileRequest& request);

  // Runs what a command line names (the arguments after the program
  // name); names that give no run show how the program is called.
  void StartCommandLineRun(RunHost& host, std::span<const std::string> names);

  // The main window is being destroyed: a run ends after its current file
  // without its count line, and no run starts again.
  void WindowDestroyed() { cancelled_ = true; }
  // Releases the log buffer, at once or, during a run, when it ends.
  void ReleaseLog();

  const LogBuffer* Log() const { return log_.get(); }
  bool Running() const { return running_; }
  bool Cancelled() const { return cancelled_; }

 private:
  // Prepares the window, runs `run` against the log, and restores the
  // window, as Run describes.
  void Wrapped(RunHost& host, const std::function<void(LogBuffer&)>& run);

  FileSystem& fs_;
  std::unique_ptr<LogBuffer> log_;
  bool running_ = false;
  bool cancelled_ = false;
  bool release_log_ = false;
};

}  // namespace quorlith
