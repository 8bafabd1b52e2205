#include "shell/run_session.h"

#include <algorithm>
#include <new>
#include <optional>

#include "runs/command_line.h"
#include "runs/file_names.h"
#include "shell/view_files.h"
#include "text/report_text.h"

namespace quorlith {

RunMode RunModeFor(bool has_output, bool compare) {
  return static_cast<RunMode>(static_cast<int>(RunMode::kDecompile) +
                              (has_output ? 1 : 0) + (compare ? 1 : 0));
}

DecompileRequest DecompileRequestFrom(std::string input, std::string output,
                                      bool compare) {
  return {RunModeFor(!output.empty(), compare), std::move(input),
          std::move(output)};
}

bool Ready(const DecompileRequest& request) { return !request.input.empty(); }

bool Ready(const CompileRequest& request) {
  return !request.report.empty() && !request.output.empty();
}

std::string WithoutQuotes(std::string_view field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    field = field.substr(1, field.size() - 2);
  }
  return std::string(field);
}

StartRequest StartRequestFor(std::span<const std::string> names) {
  if (names.empty()) return {};
  if (names.size() == 2 && names[0] == kViewOption) {
    return {StartRequest::Kind::kView, names[1]};
  }
  if (names.size() == 2 && names[0] == kCompareWithOption) {
    return {StartRequest::Kind::kCompareWith, names[1]};
  }
  if (names.size() == 2 && names[0] == kEditOption) {
    return {StartRequest::Kind::kEdit, names[1]};
  }
  return {StartRequest::Kind::kRun, {}};
}

std::u16string LogPaneText(std::u16string_view log,
                           std::u16string_view line_end) {
  std::u16string text;
  text.reserve(log.size());
  for (char16_t c : log) {
    if (c == u'\n') {
      text.append(line_end);
    } else if (c != u'\r') {
      text.push_back(c);
    }
  }
  if (text.ends_with(line_end)) text.resize(text.size() - line_end.size());
  return text;
}

std::unique_ptr<LogBuffer> AllocateLogBuffer() {
  auto log = std::unique_ptr<LogBuffer>(new (std::nothrow) LogBuffer);
  if (log && !log->ReserveCapacity()) log.reset();
  return log;
}

bool RunSession::AdoptLog(std::unique_ptr<LogBuffer> log) {
  log_ = std::move(log);
  return log_ != nullptr;
}

void RunSession::ReleaseLog() {
  if (running_) {
    release_log_ = true;
  } else {
    log_.reset();
  }
}

void RunSession::Run(RunHost& host, RunMode mode, const std::string& input,
                     const std::string& output) {
  RunOutcome outcome;
  outcome.kind =
      mode == RunMode::kCompare ? RunKind::kCompare : RunKind::kDecompile;
  outcome.mode = mode;
  if (mode == RunMode::kDecompileTo) {
    outcome.output_folder =
        SplitFileName(output, fs_.CurrentDirectory(), fs_.Style()).Folder();
  }
  Wrapped(host, outcome, [&](LogBuffer& log) {
    RunContext ctx{fs_, log, {}};
    ctx.pump = [&] { return Pump(host, ctx.tally); };
    RunDecompile(ctx, mode, input, output);
    outcome.tally = ctx.tally;
  });
}

void RunSession::Compile(RunHost& host, const CompileRequest& request) {
  RunOutcome outcome;
  outcome.kind = RunKind::kCompile;
  Wrapped(host, outcome, [&](LogBuffer& log) {
    outcome.written = RunCompile(fs_, log, request);
  });
}

bool RunSession::Pump(RunHost& host, const RunTally& tally) {
  std::chrono::steady_clock::time_point now = clock_();
  if (now - last_progress_ >= kProgressPeriod) {
    last_progress_ = now;
    host.ShowProgress(ProgressText(tally.done, tally.files));
  }
  return host.Pump() || cancelled_;
}

void RunSession::Wrapped(RunHost& host, RunOutcome& outcome,
                         const std::function<void(LogBuffer&)>& run) {
  if (running_ || cancelled_ || !log_ || !host.WindowExists()) return;
  running_ = true;
  log_->ResetLog();
  host.BeginRun();
  last_progress_ = clock_();
  run(*log_);
  running_ = false;
  host.RestoreCursor();
  if (!cancelled_ && host.WindowExists()) {
    outcome.errors = log_->ErrorCount();
    outcome.lines_left_out = log_->LinesLeftOut();
    host.EndRun();
    host.ShowLog(LogPaneText(log_->Text(), host.LineEnd()),
                 SummaryText(outcome));
  }
  if (release_log_) log_.reset();
}

std::optional<RunSession::LineTarget> RunSession::TargetOf(
    std::size_t line) const {
  if (!log_ || running_ || line >= log_->LineCodes().size())
    return std::nullopt;
  auto code = static_cast<LogCode>(log_->LineCodes()[line]);
  if (code != LogCode::kDecompiled && code != LogCode::kCompared) {
    return std::nullopt;
  }
  std::u16string pane = LogPaneText(log_->Text(), u"\n");
  std::size_t start = 0;
  for (std::size_t i = 0; i < line; ++i) start = pane.find(u'\n', start) + 1;
  std::size_t end = pane.find(u'\n', start);
  std::string text = Utf16ToUtf8(std::u16string_view(pane).substr(
      start, end == std::u16string::npos ? std::u16string::npos : end - start));
  // "IN decompiled to OUT." and "ORIGINAL compared with NEW": a path may
  // hold the joining words too, so of the ways to split the line the one
  // whose second path exists is taken, else the last.
  bool decompiled = code == LogCode::kDecompiled;
  std::string_view joint = decompiled ? " decompiled to " : " compared with ";
  if (decompiled) {
    if (!text.ends_with('.')) return std::nullopt;
    text.pop_back();
  }
  std::optional<LineTarget> target;
  for (std::size_t at = text.find(joint); at != std::string::npos;
       at = text.find(joint, at + 1)) {
    std::string first = text.substr(0, at);
    std::string second = text.substr(at + joint.size());
    target =
        decompiled ? LineTarget{second, {}, {}} : LineTarget{{}, first, second};
    if (fs_.IdOf(second)) break;
  }
  return target;
}

bool RunSession::LineHasView(std::size_t line) const {
  return TargetOf(line).has_value();
}

bool RunSession::ViewLine(std::size_t line, ViewerText& view,
                          std::u16string& error) {
  error.clear();
  std::optional<LineTarget> target = TargetOf(line);
  if (!target) return false;
  if (!target->report.empty()) {
    return ViewReportFile(fs_, target->report, view, error);
  }
  return ViewChanges(fs_, target->original, target->changed, view, error);
}

std::optional<std::size_t> RunSession::ErrorLine(std::size_t line,
                                                 bool forward) const {
  if (!log_ || running_) return std::nullopt;
  const std::vector<std::uint32_t>& codes = log_->LineCodes();
  auto is_error = [&](std::size_t i) {
    return codes[i] != LogBuffer::kNoCode && IsError(codes[i]);
  };
  if (forward) {
    for (std::size_t i = line + 1; i < codes.size(); ++i) {
      if (is_error(i)) return i;
    }
  } else {
    for (std::size_t i = std::min(line, codes.size()); i-- > 0;) {
      if (is_error(i)) return i;
    }
  }
  return std::nullopt;
}

void RunSession::StartCommandLineRun(RunHost& host,
                                     std::span<const std::string> names) {
  std::optional<CommandLineRun> run = RunForArguments(names);
  if (!run) {
    if (!cancelled_ && host.WindowExists()) {
      // The pane no longer shows the last run's lines.
      if (log_ && !running_) log_->ResetLog();
      host.ShowLog(LogPaneText(Utf8ToUtf16(kUsageText), host.LineEnd()), {});
    }
    return;
  }
  Run(host, run->mode, run->input, run->output);
}

}  // namespace quorlith
