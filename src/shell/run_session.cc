#include "shell/run_session.h"

#include <new>
#include <optional>

#include "report/report_text.h"
#include "runs/command_line.h"

namespace quorlith {

RunMode RunModeFor(bool has_output, bool compare) {
  return static_cast<RunMode>(static_cast<int>(RunMode::kDecompile) +
                              (has_output ? 1 : 0) + (compare ? 1 : 0));
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
  Wrapped(host, [&](LogBuffer& log) {
    RunContext ctx{fs_, log, [&] { return host.Pump() || cancelled_; }};
    RunDecompile(ctx, mode, input, output);
  });
}

void RunSession::Compile(RunHost& host, const CompileRequest& request) {
  Wrapped(host, [&](LogBuffer& log) { RunCompile(fs_, log, request); });
}

void RunSession::Wrapped(RunHost& host,
                         const std::function<void(LogBuffer&)>& run) {
  if (running_ || cancelled_ || !log_ || !host.WindowExists()) return;
  running_ = true;
  log_->ResetLog();
  host.BeginRun();
  run(*log_);
  running_ = false;
  host.RestoreCursor();
  if (!cancelled_ && host.WindowExists()) {
    host.EndRun();
    host.ShowLog(LogPaneText(log_->Text(), host.LineEnd()));
  }
  if (release_log_) log_.reset();
}

void RunSession::StartCommandLineRun(RunHost& host,
                                     std::span<const std::string> names) {
  std::optional<CommandLineRun> run = RunForArguments(names);
  if (!run) {
    if (!cancelled_ && host.WindowExists()) {
      host.ShowLog(LogPaneText(Utf8ToUtf16(kUsageText), host.LineEnd()));
    }
    return;
  }
  Run(host, run->mode, run->input, run->output);
}

}  // namespace quorlith
