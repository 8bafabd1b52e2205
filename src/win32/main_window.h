#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "runs/file_system.h"
#include "runs/run.h"
#include "shell/run_session.h"
#include "shell/viewer_text.h"

namespace quorlith::win32 {

// The identifier of the run timer on the main window.
inline constexpr UINT_PTR kRunTimer = 1;
inline constexpr UINT kRunTimerMs = 200;

// The program-wide state of the desktop program, as its window and dialog
// procedures reach it. InitInstance starts it afresh.
struct ShellState {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HWND log_pane = nullptr;
  // The one-line summary above the pane, shown from the first run on.
  HWND summary = nullptr;
  // The main window's keys (Ctrl+O, Ctrl+B, Ctrl+E, Ctrl+Q, F8, Shift+F8).
  HACCEL keys = nullptr;
  // The viewer's Find dialog while one is open; the message loops route
  // its keys to it.
  HWND find_dialog = nullptr;
  // The original a start with "--compare-with" hands to the Decompile
  // dialog, which takes it.
  std::string compare_with;
  std::unique_ptr<RunSession> session;
  // What the settings editors read and write.
  FileSystem* fs = nullptr;
  // Set by the Decompile dialog's OK, taken by the main window.
  std::optional<DecompileRequest> request;
  // Set by the Compile dialog's OK, likewise.
  std::optional<CompileRequest> compile_request;
  // The cursor before a run from the dialog, put back after it.
  bool restore_cursor = false;
  HCURSOR saved_cursor = nullptr;

  // Shows a start-up error (a string of the table) in a box captioned
  // "Initialization error"; tests replace it, and the log's allocation.
  std::function<void(UINT string_id)> error_box;
  std::function<std::unique_ptr<LogBuffer>()> allocate_log;
};
ShellState& Shell();

// Registers the window class "OrvSetClass"; its atom, zero on failure.
ATOM RegisterMainClass(HINSTANCE instance);

// What every message loop of the program does with a message before it
// dispatches it: the Find dialog's keys go to it, the main window's keys
// become its commands. True when the message was used up so.
bool TranslateShellMessage(MSG& message);

// The viewer: a window of its own showing a report or a comparison's
// changes in a read-only edit control, the caret on the first setting.
// F6 and Shift+F6 go to the next and previous section title, Ctrl+F opens
// the Find dialog, F3 and Shift+F3 find again, Escape closes the window.
inline constexpr wchar_t kViewerClass[] = L"QuorlithViewer";
// Opens `view`, owned by `owner`; the window, or null when it could not
// be made.
HWND OpenViewer(const ViewerText& view, HWND owner);

// Selects line `line` of a multi-line edit with the caret at its start: a
// screen reader says a line the caret jumps to on a command key when it
// comes selected.
void SelectLine(HWND edit, std::size_t line);

// Asks for a file in the common Open dialog, or the Save dialog for one to
// write (`save`, asking before one is replaced when `confirm`), starting
// at `start` unless it is a pattern; empty when the user cancelled.
std::wstring ChooseFileName(HWND owner, const wchar_t* title,
                            const std::wstring& start, bool save, bool confirm);

// The Compile dialog's procedure: report, base and output fields, OK while
// the report and output fields hold text.
INT_PTR CALLBACK CompileDialog(HWND dialog, UINT message, WPARAM wparam,
                               LPARAM lparam);

// Creates the main window, its log pane and the log buffer, shows the
// window and, when `command_line` names more than the program, runs it at
// once; otherwise the Decompile dialog opens when messages are processed.
// Returns false, after an error box, when the program cannot start.
bool InitInstance(HINSTANCE instance, int show, const wchar_t* command_line,
                  FileSystem& fs);

// The whole program: start-up with its error boxes, then the message loop
// until the main window is gone. Returns the exit code.
int ShellMain(HINSTANCE instance, int show, const wchar_t* command_line,
              FileSystem& fs);

}  // namespace quorlith::win32

// The window and dialog procedures, exported by name as the program's
// external interface. The parameters have the sizes the 64-bit system
// passes.
extern "C" {
__declspec(dllexport) LRESULT CALLBACK
    MainWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
__declspec(dllexport) INT_PTR CALLBACK
    About(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
__declspec(dllexport) INT_PTR CALLBACK
    Decompile(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
}
