#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "runs/compile_run.h"
#include "runs/file_system.h"
#include "runs/progress_log.h"
#include "runs/run.h"
#include "shell/run_summary.h"
#include "shell/viewer_text.h"

namespace quorlith {

// What the two desktop programs, Qt and Win32, share outside their
// toolkits. Each shell keeps only the code that talks to its widgets.

// The run mode of the Decompile dialog: a plain decompile, plus one step
// when an output name was given and one more when the comparison box is
// ticked. A ticked box without output name thus decompiles into the
// current folder.
RunMode RunModeFor(bool has_output, bool compare);

// What the dialogs decide, whichever toolkit draws them.

// Each path field of a dialog takes at most this many characters.
inline constexpr int kMaxFieldLength = 548;

// What the Decompile dialog asks for, handed to the run unchanged.
struct DecompileRequest {
  RunMode mode = RunMode::kDecompile;
  std::string input;
  std::string output;
};

// The Decompile dialog's request, from its fields as read.
DecompileRequest DecompileRequestFrom(std::string input, std::string output,
                                      bool compare);

// Whether a dialog's request names what its run needs: the Decompile
// dialog an input, the Compile dialog a report and an output. OK is
// enabled only while it does; Enter while it does not beeps.
bool Ready(const DecompileRequest& request);
bool Ready(const CompileRequest& request);

// A path as a field holds it, without the quotes around it that a copied
// path brings along ("Copy as path"); the field's own text otherwise.
std::string WithoutQuotes(std::string_view field);

// What a desktop program's arguments ask for. Besides the runs of the
// command line, "--view FILE" opens the report of one set file in the
// viewer, writing nothing, "--compare-with FILE" opens the Decompile
// dialog ready to compare FILE with new files and "--edit FILE" opens the
// settings editor on FILE; file managers offer all three.
struct StartRequest {
  enum class Kind { kDialog, kRun, kView, kCompareWith, kEdit };
  Kind kind = Kind::kDialog;
  std::string file;  // kView, kCompareWith, kEdit
};
inline constexpr char kViewOption[] = "--view";
inline constexpr char kCompareWithOption[] = "--compare-with";
inline constexpr char kEditOption[] = "--edit";
StartRequest StartRequestFor(std::span<const std::string> names);

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
  // Shows how far the run has come ("1,200 of 3,000") in the summary area.
  virtual void ShowProgress(std::u16string_view text) = 0;
  // Called after every run, window or not: puts the cursor back.
  virtual void RestoreCursor() = 0;
  // Enables "&Decompile..." and stops the run timer; only while the window
  // exists.
  virtual void EndRun() = 0;
  // Replaces the pane's text and puts the caret on its first line; shows
  // `summary` in the summary area, which takes the focus, so that a screen
  // reader says how the run ended first. Without a summary (no run) the
  // area is emptied and the pane takes the focus.
  virtual void ShowLog(std::u16string_view text,
                       std::u16string_view summary) = 0;
  // The line end the pane takes between lines.
  virtual std::u16string_view LineEnd() const = 0;
};

// The state of a desktop program that outlives its main window: the log
// buffer, the cancel flag and whether a run is going on. Every run goes
// through the same preparation and clean-up here, whichever toolkit asks.
class RunSession {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  // Progress is shown at most this often: often enough to see a long run
  // move, seldom enough not to slow a short one down.
  static constexpr std::chrono::milliseconds kProgressPeriod{500};

  explicit RunSession(FileSystem& fs)
      : fs_(fs), clock_(std::chrono::steady_clock::now) {}

  // For tests: replaces the clock that paces the progress.
  void SetClock(Clock clock) { clock_ = std::move(clock); }

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

  // What the last run's log line `line` (counted from 0, as the pane shows
  // it) leads to: the report a decompile wrote, or the changes between the
  // two files of a comparison. False, with nothing to say, for a line that
  // names neither; false with `error` (the file and the reason) when the
  // files cannot be read.
  [[nodiscard]] bool ViewLine(std::size_t line, ViewerText& view,
                              std::u16string& error);
  // True iff ViewLine has something to open for `line`.
  bool LineHasView(std::size_t line) const;
  // The next (or previous) line of the log after `line` that reports an
  // error, if there is one.
  std::optional<std::size_t> ErrorLine(std::size_t line, bool forward) const;

  const LogBuffer* Log() const { return log_.get(); }
  bool Running() const { return running_; }
  bool Cancelled() const { return cancelled_; }

 private:
  // What a log line names, read from the line as the catalogue wrote it.
  struct LineTarget {
    std::string report;    // a decompile's report
    std::string original;  // a comparison's two files
    std::string changed;
  };
  std::optional<LineTarget> TargetOf(std::size_t line) const;

  // Prepares the window, runs `run` against the log, and restores the
  // window, as Run describes; the summary tells `outcome`, which `run`
  // completes.
  void Wrapped(RunHost& host, RunOutcome& outcome,
               const std::function<void(LogBuffer&)>& run);
  // The pump of a run: progress now and then, then the host's own.
  bool Pump(RunHost& host, const RunTally& tally);

  FileSystem& fs_;
  Clock clock_;
  std::chrono::steady_clock::time_point last_progress_;
  std::unique_ptr<LogBuffer> log_;
  bool running_ = false;
  bool cancelled_ = false;
  bool release_log_ = false;
};

}  // namespace quorlith
