#include "win32/main_window.h"

#include <utility>
#include <vector>

#include "runs/win32_wide.h"
#include "runs/windows_command_line.h"
#include "win32/resource.h"

namespace quorlith::win32 {
namespace {

constexpr wchar_t kClassName[] = L"OrvSetClass";
constexpr wchar_t kAtomName[] = L"quorlith 1";

std::wstring LoadText(UINT id) {
  const wchar_t* text = nullptr;
  // With a zero length LoadStringW hands out the resource itself.
  int length =
      LoadStringW(Shell().instance, id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length))
                    : std::wstring();
}

void ShowErrorBox(UINT id) {
  MessageBoxW(nullptr, LoadText(id).c_str(), LoadText(IDS_INIT_ERROR).c_str(),
              MB_OK | MB_ICONSTOP);
}

// The main window's part in a run, for the shared RunSession.
class Win32RunHost : public RunHost {
 public:
  bool WindowExists() override {
    return Shell().window != nullptr && IsWindow(Shell().window);
  }

  void BeginRun() override {
    ShellState& shell = Shell();
    SetWindowTextW(shell.log_pane, L"");
    for (UINT command : {IDM_DECOMPILE, IDM_COMPILE}) {
      EnableMenuItem(GetMenu(shell.window), command, MF_BYCOMMAND | MF_GRAYED);
    }
    SetTimer(shell.window, kRunTimer, kRunTimerMs, nullptr);
    if (shell.restore_cursor) shell.saved_cursor = GetCursor();
  }

  // One message after each file, as the timer guarantees one arrives. The
  // pump takes it if it is there but does not wait for it: waiting would
  // hold each file back until the next timer tick, five files a second,
  // where the Qt program does not wait either.
  bool Pump() override {
    ShellState& shell = Shell();
    POINT point;
    RECT frame;
    if (GetCursorPos(&point) && GetWindowRect(shell.window, &frame) &&
        PtInRect(&frame, point)) {
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // Left for the message loop, which ends the program with it.
        PostQuitMessage(static_cast<int>(message.wParam));
        return true;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    return !WindowExists();
  }

  void RestoreCursor() override {
    ShellState& shell = Shell();
    if (shell.restore_cursor && shell.saved_cursor != nullptr) {
      SetCursor(shell.saved_cursor);
    }
    shell.saved_cursor = nullptr;
  }

  void EndRun() override {
    ShellState& shell = Shell();
    for (UINT command : {IDM_DECOMPILE, IDM_COMPILE}) {
      EnableMenuItem(GetMenu(shell.window), command, MF_BYCOMMAND | MF_ENABLED);
    }
    KillTimer(shell.window, kRunTimer);
  }

  // The caret goes to the first line, where a screen reader starts.
  void ShowLog(std::u16string_view text) override {
    HWND pane = Shell().log_pane;
    SetWindowTextW(pane, std::wstring(text.begin(), text.end()).c_str());
    SendMessageW(pane, EM_SETSEL, 0, 0);
    SendMessageW(pane, EM_SCROLLCARET, 0, 0);
    SetFocus(pane);
  }

  std::u16string_view LineEnd() const override { return u"\r\n"; }
};

Win32RunHost& Host() {
  static Win32RunHost host;
  return host;
}

// Splits the command line as the console program does, quotes grouping
// words and a quoted folder ending in "\" kept a folder; the names after
// the program's own, as UTF-8.
std::vector<std::string> NamesOf(const wchar_t* command_line) {
  if (command_line == nullptr) return {};
  std::vector<std::string> names =
      SplitWindowsCommandLine(Narrow(command_line));
  names.erase(names.begin());
  return names;
}

void OpenDecompileDialog(HWND window) {
  ShellState& shell = Shell();
  // The greyed command keeps a run from starting inside another; a posted
  // command must not get round it either.
  if (shell.session->Running()) return;
  shell.request.reset();
  DialogBoxW(shell.instance, L"DecompileBox", window, Decompile);
  if (!shell.request) return;
  DecompileRequest request = std::move(*shell.request);
  shell.request.reset();
  shell.restore_cursor = true;
  shell.session->Run(Host(), request.mode, request.input, request.output);
  shell.restore_cursor = false;
}

void OpenCompileDialog(HWND window) {
  ShellState& shell = Shell();
  if (shell.session->Running()) return;
  shell.compile_request.reset();
  DialogBoxW(shell.instance, L"CompileBox", window, CompileDialog);
  if (!shell.compile_request) return;
  CompileRequest request = std::move(*shell.compile_request);
  shell.compile_request.reset();
  shell.restore_cursor = true;
  shell.session->Compile(Host(), request);
  shell.restore_cursor = false;
}

}  // namespace

ShellState& Shell() {
  static ShellState state;
  return state;
}

ATOM RegisterMainClass(HINSTANCE instance) {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = MainWndProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, L"ORVSET");
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszMenuName = L"ORVSETMENU";
  window_class.lpszClassName = kClassName;
  return RegisterClassW(&window_class);
}

bool InitInstance(HINSTANCE instance, int show, const wchar_t* command_line,
                  FileSystem& fs) {
  ShellState& shell = Shell();
  shell.instance = instance;
  shell.window = nullptr;
  shell.log_pane = nullptr;
  shell.request.reset();
  shell.session = std::make_unique<RunSession>(fs);
  if (!shell.error_box) shell.error_box = ShowErrorBox;
  if (!shell.allocate_log) shell.allocate_log = AllocateLogBuffer;

  HWND window =
      CreateWindowW(kClassName, L"Quorlith", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                    nullptr, instance, nullptr);
  if (window == nullptr) {
    shell.error_box(IDS_WINDOW_ERROR);
    return false;
  }
  shell.window = window;
  // The class keeps its 32-pixel "ORVSET"; the title bar, Alt+Tab and the
  // taskbar take the window's own icons, sharp at the sizes they ask for.
  for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON},
                               std::pair{ICON_SMALL, SM_CXSMICON}}) {
    int side = GetSystemMetrics(metric);
    HANDLE icon = LoadImageW(instance, L"APPICON", IMAGE_ICON, side, side,
                             LR_SHARED);
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
  RECT client;
  GetClientRect(window, &client);
  shell.log_pane = CreateWindowW(
      L"Edit", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
          ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY,
      0, 0, client.right, client.bottom, window, nullptr, instance, nullptr);
  if (shell.log_pane == nullptr) {
    shell.error_box(IDS_WINDOW_ERROR);
    DestroyWindow(window);
    return false;
  }
  if (!shell.session->AdoptLog(shell.allocate_log())) {
    shell.error_box(IDS_MEMORY_ERROR);
    DestroyWindow(window);
    return false;
  }
  ShowWindow(window, show);
  UpdateWindow(window);

  std::vector<std::string> names = NamesOf(command_line);
  if (!names.empty()) {
    shell.session->StartCommandLineRun(Host(), names);
  } else {
    PostMessageW(window, WM_COMMAND, IDM_DECOMPILE, 0);
  }
  return true;
}

int ShellMain(HINSTANCE instance, int show, const wchar_t* command_line,
              FileSystem& fs) {
  Shell().instance = instance;
  // The atom marks a running copy for a hand-over to it, which Win32
  // never asks for (there is no previous instance): a second copy starts
  // as the first did. Only an atom this copy added is released.
  ATOM atom = GlobalFindAtomW(kAtomName);
  bool added = atom == 0;
  if (added) atom = GlobalAddAtomW(kAtomName);
  auto release_atom = [&] {
    if (added && atom != 0) GlobalDeleteAtom(atom);
  };
  if (RegisterMainClass(instance) == 0) {
    if (!Shell().error_box) Shell().error_box = ShowErrorBox;
    Shell().error_box(IDS_CLASS_ERROR);
    release_atom();
    return 0;
  }
  bool started = InitInstance(instance, show, command_line, fs);
  release_atom();
  if (!started) return 0;

  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == -1 ? 0 : static_cast<int>(message.wParam);
}

}  // namespace quorlith::win32

using quorlith::win32::Shell;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wparam,
                             LPARAM lparam) {
  switch (message) {
    case WM_SETFOCUS:
      SetFocus(Shell().log_pane);
      return 0;
    case WM_SIZE:
      MoveWindow(Shell().log_pane, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_DESTROY:
      if (Shell().session) {
        Shell().session->WindowDestroyed();
        Shell().session->ReleaseLog();
      }
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      Shell().window = nullptr;
      Shell().log_pane = nullptr;
      break;
    case WM_COMMAND:
      // Menu commands come with a zero high word: the whole parameter
      // is the command.
      switch (wparam) {
        case IDM_DECOMPILE:
          quorlith::win32::OpenDecompileDialog(window);
          return 0;
        case IDM_COMPILE:
          quorlith::win32::OpenCompileDialog(window);
          return 0;
        case IDM_EXIT:
          DestroyWindow(window);
          return 0;
        case IDM_ABOUT:
          DialogBoxW(Shell().instance, L"AboutBox", window, About);
          return 0;
        default:
          return 0;
      }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
