#include "shell/shell.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <new>

#include "runs/command_line.h"
#include "shell/decompile_box.h"
#include "shell/focus_style.h"
#include "shell/main_window.h"

// The icon lives in this static library, which nothing else references, so
// its resources must be registered by hand.
static void InitShellResources() { Q_INIT_RESOURCE(quorlith); }

namespace quorlith {
namespace {

void ShowErrorBox(const QString& text) {
  QMessageBox::critical(nullptr, Shell::tr("Initialization error"), text);
}

std::unique_ptr<LogBuffer> AllocateLog() {
  auto log = std::unique_ptr<LogBuffer>(new (std::nothrow) LogBuffer);
  if (log && !log->ReserveCapacity()) log.reset();
  return log;
}

}  // namespace

Shell::Shell(FileSystem& fs, QObject* parent)
    : QObject(parent),
      fs_(fs),
      error_box_(ShowErrorBox),
      allocate_log_(AllocateLog) {}

Shell::~Shell() { delete window_.data(); }

MainWindow* Shell::Window() const { return cancelled_ ? nullptr : window_; }

bool Shell::InitInstance(std::span<const std::string> names) {
  InitShellResources();
  InstallFocusFrameStyle();
  QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/quorlith-gui.png")));
  auto* window = new MainWindow;
  window_ = window;
  log_ = allocate_log_();
  if (!log_) {
    error_box_(tr("Not enough memory"));
    delete window;
    return false;
  }
  connect(window, &MainWindow::closed, this, [this] { cancelled_ = true; });
  connect(window, &MainWindow::decompileRequested, this, &Shell::StartDialogRun,
          Qt::QueuedConnection);
  window->show();

  if (!names.empty()) {
    StartCommandLineRun(names);
  } else {
    QMetaObject::invokeMethod(window, &MainWindow::Decompile,
                              Qt::QueuedConnection);
  }
  return true;
}

void Shell::StartCommandLineRun(std::span<const std::string> names) {
  std::optional<CommandLineRun> run = RunForArguments(names);
  if (!run) {
    if (MainWindow* window = Window()) {
      window->ShowLog(QString::fromUtf8(kUsageText).trimmed());
    }
    return;
  }
  Run(run->mode, run->input, run->output);
}

void Shell::StartDialogRun(const DecompileRequest& request) {
  Run(request.mode, request.input, request.output);
}

void Shell::Run(RunMode mode, const std::string& input,
                const std::string& output) {
  MainWindow* window = Window();
  if (running_ || !window) return;
  running_ = true;
  log_->ResetLog();
  window->ClearLog();
  window->BeginRun();
  // The pane's own text cursor would hide a cursor set on the window; an
  // override covers every window of the program and no other program's.
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);

  RunContext ctx{fs_, *log_, [this] { return Pump(); }};
  RunDecompile(ctx, mode, input, output);

  QGuiApplication::restoreOverrideCursor();
  running_ = false;
  if (MainWindow* still_open = Window()) {
    still_open->EndRun();
    still_open->ShowLog(LogPaneText(log_->Text()));
  }
}

bool Shell::Pump() {
  if (Window() == nullptr) return true;
  // A run started from a posted event would otherwise see none of the
  // events that were already queued behind its own.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  return Window() == nullptr;
}

}  // namespace quorlith
