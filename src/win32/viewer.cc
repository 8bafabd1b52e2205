#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <string>

#include "win32/main_window.h"

namespace quorlith::win32 {
namespace {

// What one viewer window keeps: its text and the Find dialog's record,
// which must outlive the dialog.
struct Viewer {
  ViewerText view;
  HWND edit = nullptr;
  FINDREPLACEW find = {};
  wchar_t needle[256] = {};
};

Viewer* ViewerOf(HWND window) {
  return reinterpret_cast<Viewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

WNDPROC edit_proc = nullptr;
UINT find_message = 0;

std::wstring EditText(HWND edit) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::size_t CaretLine(HWND edit) {
  DWORD start = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<std::size_t>(
      SendMessageW(edit, EM_LINEFROMCHAR, start, 0));
}

void StepSection(Viewer& viewer, bool forward) {
  std::optional<std::size_t> line =
      NextSection(viewer.view, CaretLine(viewer.edit), forward);
  if (!line) {
    MessageBeep(MB_OK);
    return;
  }
  SelectLine(viewer.edit, *line);
}

// Selects the next (or previous) match from the caret; beeps when there
// is none. The selection is what a screen reader says.
bool FindAgain(Viewer& viewer, bool forward) {
  std::wstring text = EditText(viewer.edit);
  std::u16string haystack(text.begin(), text.end());
  std::wstring needle_wide(viewer.needle);
  std::u16string needle(needle_wide.begin(), needle_wide.end());
  DWORD start = 0, end = 0;
  SendMessageW(viewer.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  std::size_t from = forward ? start + (end > start ? 1 : 0) : start;
  std::optional<std::size_t> found =
      FindInText(haystack, needle, from, forward);
  if (!found) {
    MessageBeep(MB_OK);
    return false;
  }
  SendMessageW(viewer.edit, EM_SETSEL, *found, *found + needle.size());
  SendMessageW(viewer.edit, EM_SCROLLCARET, 0, 0);
  return true;
}

void StartFind(HWND window, Viewer& viewer) {
  if (Shell().find_dialog != nullptr) {
    SetFocus(Shell().find_dialog);
    return;
  }
  viewer.find = {};
  viewer.find.lStructSize = sizeof viewer.find;
  viewer.find.hwndOwner = window;
  viewer.find.lpstrFindWhat = viewer.needle;
  viewer.find.wFindWhatLen = sizeof viewer.needle / sizeof viewer.needle[0];
  viewer.find.Flags = FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;
  Shell().find_dialog = FindTextW(&viewer.find);
}

LRESULT CALLBACK ViewerEditProc(HWND edit, UINT message, WPARAM wparam,
                                LPARAM lparam) {
  HWND window = GetParent(edit);
  Viewer* viewer = ViewerOf(window);
  if (message == WM_KEYDOWN && viewer != nullptr) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool control = GetKeyState(VK_CONTROL) < 0;
    switch (wparam) {
      case VK_F6:
        StepSection(*viewer, !shift);
        return 0;
      case VK_F3:
        FindAgain(*viewer, !shift);
        return 0;
      case VK_ESCAPE:
        DestroyWindow(window);
        return 0;
      case 'F':
        if (control) {
          StartFind(window, *viewer);
          return 0;
        }
        break;
    }
  }
  // Escape's character would only beep.
  if (message == WM_CHAR && (wparam == 0x1B || wparam == 0x06)) return 0;
  return CallWindowProcW(edit_proc, edit, message, wparam, lparam);
}

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wparam,
                            LPARAM lparam) {
  Viewer* viewer = ViewerOf(window);
  if (message == find_message && find_message != 0 && viewer != nullptr) {
    auto* find = reinterpret_cast<FINDREPLACEW*>(lparam);
    if (find->Flags & FR_DIALOGTERM) {
      Shell().find_dialog = nullptr;
      return 0;
    }
    // A match found closes the dialog, so the focus is back on the text
    // where a screen reader says it.
    if ((find->Flags & FR_FINDNEXT) &&
        FindAgain(*viewer, (find->Flags & FR_DOWN) != 0)) {
      DestroyWindow(Shell().find_dialog);
      Shell().find_dialog = nullptr;
      SetFocus(viewer->edit);
    }
    return 0;
  }
  switch (message) {
    case WM_SIZE:
      if (viewer != nullptr) {
        MoveWindow(viewer->edit, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      }
      return 0;
    case WM_SETFOCUS:
      if (viewer != nullptr) SetFocus(viewer->edit);
      return 0;
    case WM_DESTROY:
      if (Shell().find_dialog != nullptr &&
          GetWindow(Shell().find_dialog, GW_OWNER) == window) {
        DestroyWindow(Shell().find_dialog);
        Shell().find_dialog = nullptr;
      }
      delete viewer;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

void SelectLine(HWND edit, std::size_t line) {
  auto start = static_cast<WPARAM>(SendMessageW(edit, EM_LINEINDEX, line, 0));
  auto length =
      static_cast<WPARAM>(SendMessageW(edit, EM_LINELENGTH, start, 0));
  // The anchor at the line's end, the caret at its start.
  SendMessageW(edit, EM_SETSEL, start + length, static_cast<LPARAM>(start));
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

HWND OpenViewer(const ViewerText& view, HWND owner) {
  HINSTANCE instance = Shell().instance;
  static const bool registered = [&] {
    WNDCLASSW window_class = {};
    window_class.lpfnWndProc = ViewerProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, L"ORVSET");
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground =
        static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = kViewerClass;
    find_message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return RegisterClassW(&window_class) != 0;
  }();
  if (!registered) return nullptr;
  std::wstring title(view.title.begin(), view.title.end());
  HWND window = CreateWindowW(kViewerClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 720, 520, owner,
                              nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  auto viewer = std::make_unique<Viewer>();
  viewer->view = view;
  // A screen reader names the edit by the static text before it.
  std::wstring name(view.name.begin(), view.name.end());
  CreateWindowW(L"Static", name.c_str(), WS_CHILD, 0, 0, 0, 0, window, nullptr,
                instance, nullptr);
  std::wstring text;
  for (char16_t c : view.text) {
    if (c == u'\n') text.push_back(L'\r');
    text.push_back(static_cast<wchar_t>(c));
  }
  if (text.ends_with(L"\r\n")) text.resize(text.size() - 2);
  RECT client;
  GetClientRect(window, &client);
  viewer->edit = CreateWindowW(
      L"Edit", text.c_str(),
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
          ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY,
      0, 0, client.right, client.bottom, window, nullptr, instance, nullptr);
  if (viewer->edit == nullptr) {
    DestroyWindow(window);
    return nullptr;
  }
  HWND edit = viewer->edit;
  SetWindowLongPtrW(window, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(viewer.release()));
  edit_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ViewerEditProc)));
  ShowWindow(window, SW_SHOWNORMAL);
  SetFocus(edit);
  // Only now: the edit puts its caret at the start when it is shown.
  auto first = static_cast<WPARAM>(
      SendMessageW(edit, EM_LINEINDEX, ViewerOf(window)->view.first_line, 0));
  SendMessageW(edit, EM_SETSEL, first, static_cast<LPARAM>(first));
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  return window;
}

}  // namespace quorlith::win32
