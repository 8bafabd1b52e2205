#include "shell/shell.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>

#include "shell/decompile_box.h"
#include "shell/focus_style.h"
#include "shell/main_window.h"
#include "shell/view_files.h"

// The icon lives in this static library, which nothing else references, so
// its resources must be registered by hand.
static void InitShellResources() { Q_INIT_RESOURCE(quorlith); }

namespace quorlith {
namespace {

void ShowErrorBox(const QString& text) {
  QMessageBox::critical(nullptr, Shell::tr("Initialization error"), text);
}

}  // namespace

Shell::Shell(FileSystem& fs, QObject* parent)
    : QObject(parent),
      fs_(fs),
      session_(fs),
      error_box_(ShowErrorBox),
      allocate_log_(AllocateLogBuffer) {}

Shell::~Shell() { delete window_.data(); }

MainWindow* Shell::Window() const {
  return session_.Cancelled() ? nullptr : window_;
}

bool Shell::InitInstance(std::span<const std::string> names) {
  InitShellResources();
  InstallFocusFrameStyle();
  QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/quorlith-gui.png")));
  auto* window = new MainWindow;
  window_ = window;
  window->SetSession(&session_);
  window->SetFileSystem(&fs_);
  if (!session_.AdoptLog(allocate_log_())) {
    error_box_(tr("Not enough memory"));
    delete window;
    return false;
  }
  connect(window, &MainWindow::closed, this,
          [this] { session_.WindowDestroyed(); });
  connect(window, &MainWindow::decompileRequested, this, &Shell::StartDialogRun,
          Qt::QueuedConnection);
  connect(
      window, &MainWindow::compileRequested, this,
      [this](const CompileRequest& request) {
        session_.Compile(*this, request);
      },
      Qt::QueuedConnection);
  window->show();

  StartRequest start = StartRequestFor(names);
  QString file = QFile::decodeName(QByteArray::fromStdString(start.file));
  switch (start.kind) {
    case StartRequest::Kind::kRun:
      StartCommandLineRun(names);
      break;
    case StartRequest::Kind::kView: {
      ViewerText view;
      std::u16string error;
      // A file that cannot be shown says why in the pane, as a run would.
      if (ViewSetFileReport(fs_, start.file, view, error)) {
        window->OpenViewer(view);
      } else {
        window->ShowLog(QString::fromStdU16String(error));
      }
      break;
    }
    case StartRequest::Kind::kEdit:
      // A file that cannot be edited says why in a message box over the
      // main window.
      QMetaObject::invokeMethod(
          window, [window, file] { window->OpenEditor(file); },
          Qt::QueuedConnection);
      break;
    case StartRequest::Kind::kCompareWith:
      QMetaObject::invokeMethod(
          window, [window, file] { window->DecompileWith(file); },
          Qt::QueuedConnection);
      break;
    case StartRequest::Kind::kDialog:
      QMetaObject::invokeMethod(window, &MainWindow::Decompile,
                                Qt::QueuedConnection);
      break;
  }
  return true;
}

void Shell::StartCommandLineRun(std::span<const std::string> names) {
  session_.StartCommandLineRun(*this, names);
}

void Shell::StartDialogRun(const DecompileRequest& request) {
  session_.Run(*this, request.mode, request.input, request.output);
}

void Shell::BeginRun() {
  MainWindow* window = Window();
  window->ClearLog();
  window->BeginRun();
  // The pane's own text cursor would hide a cursor set on the window; an
  // override covers every window of the program and no other program's.
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void Shell::RestoreCursor() { QGuiApplication::restoreOverrideCursor(); }

void Shell::EndRun() { Window()->EndRun(); }

void Shell::ShowProgress(std::u16string_view text) {
  Window()->ShowProgress(QString::fromStdU16String(std::u16string(text)));
}

void Shell::ShowLog(std::u16string_view text, std::u16string_view summary) {
  Window()->ShowLog(QString::fromStdU16String(std::u16string(text)),
                    QString::fromStdU16String(std::u16string(summary)));
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
