#include <QApplication>
#include <string>
#include <vector>

#include "runs/posix_file_system.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quorlith-gui"));
  // The window manager finds the desktop entry, and so the icon and name
  // for the task bar, by this name.
  QApplication::setDesktopFileName(QStringLiteral("org.quorlith.Quorlith"));

  // QApplication has taken out the options it handles; the rest are ours,
  // kept as bytes so that any file name reaches the run unchanged.
  std::vector<std::string> names(argv + 1, argv + argc);

  quorlith::PosixFileSystem fs;
  quorlith::Shell shell(fs);
  if (!shell.InitInstance(names)) return 0;
  // A command-line run may have ended with the window closed under it.
  if (shell.Window() == nullptr) return 0;
  return QApplication::exec();
}
