#include "win32/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "runs/win32_wide.h"
#include "runs/windows_command_line.h"
#include "shell/view_files.h"
#include "win32/resource.h"
#include "win32/settings_editor.h"

namespace quorlith::win32 {
namespace {

constexpr wchar_t kClassName[] = L"OrvSetClass";
constexpr wchar_t kAtomName[] = L"quorlith 1";

void LayOut();

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
    SetWindowTextW(shell.summary, L"Running...");
    ShowWindow(shell.summary, SW_SHOWNA);
    LayOut();
    SetFocus(shell.log_pane);
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
      if (!TranslateShellMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    return !WindowExists();
  }

  // The window shows how far a long run has come; it repaints now, as the
  // run takes at most one message a file.
  void ShowProgress(std::u16string_view text) override {
    HWND summary = Shell().summary;
    SetWindowTextW(summary, std::wstring(text.begin(), text.end()).c_str());
    UpdateWindow(summary);
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

  // The caret goes to the first line, where a screen reader starts; the
  // summary takes the focus, so it is said first.
  void ShowLog(std::u16string_view text, std::u16string_view summary) override {
    ShellState& shell = Shell();
    HWND pane = shell.log_pane;
    SetWindowTextW(pane, std::wstring(text.begin(), text.end()).c_str());
    SendMessageW(pane, EM_SETSEL, 0, 0);
    SendMessageW(pane, EM_SCROLLCARET, 0, 0);
    SetWindowTextW(shell.summary,
                   std::wstring(summary.begin(), summary.end()).c_str());
    ShowWindow(shell.summary, summary.empty() ? SW_HIDE : SW_SHOWNA);
    LayOut();
    if (summary.empty()) {
      SetFocus(pane);
    } else {
      SendMessageW(shell.summary, EM_SETSEL, 0, 0);
      SetFocus(shell.summary);
    }
  }

  std::u16string_view LineEnd() const override { return u"\r\n"; }
};

// The summary, one line high, above the pane once a run has shown it; the
// pane fills the rest.
void LayOut() {
  ShellState& shell = Shell();
  RECT client;
  if (shell.window == nullptr || !GetClientRect(shell.window, &client)) return;
  int top = 0;
  if (IsWindowVisible(shell.summary)) {
    HDC dc = GetDC(shell.summary);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(
                                       shell.summary, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(shell.summary, dc);
    top = metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE) + 4;
    MoveWindow(shell.summary, 0, 0, client.right, top, TRUE);
  }
  MoveWindow(shell.log_pane, 0, top, client.right,
             std::max<LONG>(client.bottom - top, 0), TRUE);
}

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

std::size_t CaretLine(HWND edit) {
  DWORD start = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<std::size_t>(
      SendMessageW(edit, EM_LINEFROMCHAR, start, 0));
}

void ViewLine() {
  ShellState& shell = Shell();
  ViewerText view;
  std::u16string error;
  if (shell.session->ViewLine(CaretLine(shell.log_pane), view, error)) {
    OpenViewer(view, shell.window);
  } else if (!error.empty()) {
    MessageBoxW(shell.window, std::wstring(error.begin(), error.end()).c_str(),
                L"Quorlith", MB_OK | MB_ICONWARNING);
  } else {
    MessageBeep(MB_OK);
  }
}

void StepError(bool forward) {
  ShellState& shell = Shell();
  std::optional<std::size_t> line =
      shell.session->ErrorLine(CaretLine(shell.log_pane), forward);
  if (!line) {
    MessageBeep(MB_OK);
    return;
  }
  SelectLine(shell.log_pane, *line);
  SetFocus(shell.log_pane);
}

// The log's menu at the caret (Shift+F10, the menu key) or the pointer.
void ShowLogMenu(LPARAM at) {
  ShellState& shell = Shell();
  HMENU menus = LoadMenuW(shell.instance, L"LOGMENU");
  HMENU menu = GetSubMenu(menus, 0);
  EnableMenuItem(
      menu, IDM_OPEN_REPORT,
      MF_BYCOMMAND |
          (shell.session->LineHasView(CaretLine(shell.log_pane)) ? MF_ENABLED
                                                                 : MF_GRAYED));
  POINT point = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {
    DWORD start = 0;
    SendMessageW(shell.log_pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 0);
    LRESULT place = SendMessageW(shell.log_pane, EM_POSFROMCHAR, start, 0);
    point = {static_cast<short>(LOWORD(place)),
             static_cast<short>(HIWORD(place))};
    ClientToScreen(shell.log_pane, &point);
  }
  // Its commands reach the main window as menu commands do.
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, point.x, point.y, 0,
                 shell.window, nullptr);
  DestroyMenu(menus);
}

WNDPROC pane_proc = nullptr;

// Both panes of the main window: Tab moves between them, as in a dialog;
// Enter on a log line opens what it names.
LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wparam,
                          LPARAM lparam) {
  ShellState& shell = Shell();
  if (message == WM_KEYDOWN && wparam == VK_TAB) {
    HWND other = pane == shell.log_pane ? shell.summary : shell.log_pane;
    if (IsWindowVisible(other)) SetFocus(other);
    return 0;
  }
  if (message == WM_KEYDOWN && wparam == VK_RETURN && pane == shell.log_pane) {
    ViewLine();
    return 0;
  }
  if (message == WM_CHAR && (wparam == L'\t' || wparam == L'\r')) return 0;
  if (message == WM_CONTEXTMENU && pane == shell.log_pane) {
    ShowLogMenu(lparam);
    return 0;
  }
  return CallWindowProcW(pane_proc, pane, message, wparam, lparam);
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

// A file that cannot be edited says why in a message box.
void EditSetFile(HWND window, std::string path) {
  if (path.empty())
    path = EditorHooks().choose_file(window, L"Edit Set File", false);
  if (path.empty()) return;
  std::u16string error;
  if (OpenSettingsEditor(*Shell().fs, path, window, error) == nullptr) {
    EditorHooks().show_error(window, std::wstring(error.begin(), error.end()));
  }
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
  shell.summary = nullptr;
  shell.compare_with.clear();
  shell.request.reset();
  shell.session = std::make_unique<RunSession>(fs);
  shell.fs = &fs;
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
  for (auto [which, metric] :
       {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    int side = GetSystemMetrics(metric);
    HANDLE icon =
        LoadImageW(instance, L"APPICON", IMAGE_ICON, side, side, LR_SHARED);
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
  RECT client;
  GetClientRect(window, &client);
  // Screen readers name an edit by the static text created before it;
  // these names are never shown.
  CreateWindowW(L"Static", L"Summary", WS_CHILD, 0, 0, 0, 0, window, nullptr,
                instance, nullptr);
  shell.summary = CreateWindowW(
      L"Edit", L"",
      WS_CHILD | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 0, 0, 0,
      0, window, nullptr, instance, nullptr);
  CreateWindowW(L"Static", L"Progress log", WS_CHILD, 0, 0, 0, 0, window,
                nullptr, instance, nullptr);
  shell.log_pane = CreateWindowW(
      L"Edit", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
          ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY,
      0, 0, client.right, client.bottom, window, nullptr, instance, nullptr);
  if (shell.log_pane == nullptr || shell.summary == nullptr) {
    shell.error_box(IDS_WINDOW_ERROR);
    DestroyWindow(window);
    return false;
  }
  pane_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      shell.log_pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaneProc)));
  SetWindowLongPtrW(shell.summary, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(PaneProc));
  shell.keys = LoadAcceleratorsW(instance, L"ORVSETKEYS");
  if (!shell.session->AdoptLog(shell.allocate_log())) {
    shell.error_box(IDS_MEMORY_ERROR);
    DestroyWindow(window);
    return false;
  }
  ShowWindow(window, show);
  UpdateWindow(window);

  std::vector<std::string> names = NamesOf(command_line);
  StartRequest start = StartRequestFor(names);
  switch (start.kind) {
    case StartRequest::Kind::kRun:
      shell.session->StartCommandLineRun(Host(), names);
      break;
    case StartRequest::Kind::kView: {
      ViewerText view;
      std::u16string error;
      // A file that cannot be shown says why in the pane, as a run would.
      if (ViewSetFileReport(fs, start.file, view, error)) {
        OpenViewer(view, window);
      } else {
        Host().ShowLog(error, {});
      }
      break;
    }
    case StartRequest::Kind::kEdit:
      EditSetFile(window, start.file);
      break;
    case StartRequest::Kind::kCompareWith:
      shell.compare_with = start.file;
      PostMessageW(window, WM_COMMAND, IDM_DECOMPILE, 0);
      break;
    case StartRequest::Kind::kDialog:
      PostMessageW(window, WM_COMMAND, IDM_DECOMPILE, 0);
      break;
  }
  return true;
}

bool TranslateShellMessage(MSG& message) {
  ShellState& shell = Shell();
  if (TranslateEditorMessage(message)) return true;
  if (shell.find_dialog != nullptr &&
      IsDialogMessageW(shell.find_dialog, &message)) {
    return true;
  }
  return shell.keys != nullptr && shell.window != nullptr &&
         (message.hwnd == shell.window ||
          IsChild(shell.window, message.hwnd)) &&
         TranslateAcceleratorW(shell.window, shell.keys, &message) != 0;
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
    if (TranslateShellMessage(message)) continue;
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
      quorlith::win32::LayOut();
      return 0;
    case WM_DESTROY:
      if (Shell().session) {
        Shell().session->WindowDestroyed();
        Shell().session->ReleaseLog();
      }
      PostQuitMessage(0);
      return 0;
    // An editor with unsaved changes asks first, and may keep the program
    // open.
    case WM_CLOSE:
      if (quorlith::win32::CloseEditors()) DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      Shell().window = nullptr;
      Shell().log_pane = nullptr;
      Shell().summary = nullptr;
      break;
    case WM_COMMAND:
      // Menu commands come with a zero high word: the whole parameter
      // is the command. A key of the accelerator table gives the same
      // command with a high word of 1.
      switch (HIWORD(wparam) == 1 ? LOWORD(wparam) : wparam) {
        case IDM_DECOMPILE:
          quorlith::win32::OpenDecompileDialog(window);
          return 0;
        case IDM_COMPILE:
          quorlith::win32::OpenCompileDialog(window);
          return 0;
        case IDM_EDIT_SET_FILE:
          quorlith::win32::EditSetFile(window, {});
          return 0;
        case IDM_EXIT:
          SendMessageW(window, WM_CLOSE, 0, 0);
          return 0;
        case IDM_ABOUT:
          DialogBoxW(Shell().instance, L"AboutBox", window, About);
          return 0;
        case IDM_OPEN_REPORT:
          quorlith::win32::ViewLine();
          return 0;
        case IDM_NEXT_ERROR:
        case IDM_PREVIOUS_ERROR:
          quorlith::win32::StepError(LOWORD(wparam) == IDM_NEXT_ERROR);
          return 0;
        case IDM_COPY:
          SendMessageW(Shell().log_pane, WM_COPY, 0, 0);
          return 0;
        case IDM_SELECT_ALL:
          SendMessageW(Shell().log_pane, EM_SETSEL, 0, -1);
          return 0;
        default:
          return 0;
      }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
