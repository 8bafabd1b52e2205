#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <string>

#include "runs/win32_wide.h"
#include "shell/run_session.h"
#include "win32/main_window.h"
#include "win32/resource.h"

namespace {

// A field is read whole, as the Linux program reads it, so the run never
// gets a name cut short.
constexpr WPARAM kFieldLimit = quorlith::kMaxFieldLength;

std::wstring FieldWide(HWND dialog, int id) {
  HWND field = GetDlgItem(dialog, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A path pasted with Explorer's "Copy as path" comes in quotes.
std::string FieldText(HWND dialog, int id) {
  return quorlith::WithoutQuotes(quorlith::Narrow(FieldWide(dialog, id)));
}

// Fills field `id` from the common Open dialog, or the Save dialog for a
// file to write (`save`, asking before one is replaced when `confirm`).
// The focus goes back to the field either way.
void Browse(HWND dialog, int id, const wchar_t* title, bool save,
            bool confirm) {
  std::wstring path = quorlith::win32::ChooseFileName(
      dialog, title, FieldWide(dialog, id), save, confirm);
  SetFocus(GetDlgItem(dialog, id));
  if (!path.empty()) SetDlgItemTextW(dialog, id, path.c_str());
}

}  // namespace

namespace quorlith::win32 {

std::wstring ChooseFileName(HWND owner, const wchar_t* title,
                            const std::wstring& start, bool save,
                            bool confirm) {
  wchar_t path[MAX_PATH] = {};
  // A pattern is no file to start from.
  if (start.size() < MAX_PATH &&
      start.find_first_of(L"*?\"") == std::wstring::npos) {
    start.copy(path, start.size());
  }
  OPENFILENAMEW chooser = {};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = owner;
  chooser.lpstrFile = path;
  chooser.nMaxFile = MAX_PATH;
  chooser.lpstrTitle = title;
  chooser.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                  (save ? (confirm ? OFN_OVERWRITEPROMPT : 0)
                        : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  BOOL chosen = save ? GetSaveFileNameW(&chooser) : GetOpenFileNameW(&chooser);
  return chosen ? std::wstring(path) : std::wstring();
}

}  // namespace quorlith::win32

// Escape, Alt+F4 and every other way to close the box arrive as commands
// other than OK, and do nothing.
INT_PTR CALLBACK About(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
    EndDialog(dialog, 1);
    return TRUE;
  }
  return FALSE;
}

namespace quorlith::win32 {

INT_PTR CALLBACK CompileDialog(HWND dialog, UINT message, WPARAM wparam,
                               LPARAM) {
  constexpr int kFields[] = {IDC_REPORT, IDC_BASE, IDC_COMPILE_OUTPUT};
  auto request = [dialog] {
    return CompileRequest{FieldText(dialog, IDC_REPORT),
                          FieldText(dialog, IDC_BASE),
                          FieldText(dialog, IDC_COMPILE_OUTPUT)};
  };
  switch (message) {
    case WM_INITDIALOG:
      EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
      for (int id : kFields) {
        SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, kFieldLimit, 0);
      }
      SetFocus(GetDlgItem(dialog, IDC_REPORT));
      return FALSE;  // the focus was set here
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_REPORT:
        case IDC_COMPILE_OUTPUT:
          if (HIWORD(wparam) == EN_CHANGE) {
            EnableWindow(GetDlgItem(dialog, IDOK), Ready(request()));
          }
          return FALSE;
        case IDOK:
          if (!Ready(request())) {
            MessageBeep(MB_OK);
            return FALSE;
          }
          Shell().compile_request = request();
          EndDialog(dialog, 1);
          return TRUE;
        case IDC_REPORT_BROWSE:
          Browse(dialog, IDC_REPORT, L"Browse for the report", false, false);
          return TRUE;
        case IDC_BASE_BROWSE:
          Browse(dialog, IDC_BASE, L"Browse for the base set file", false,
                 false);
          return TRUE;
        case IDC_COMPILE_OUTPUT_BROWSE:
          Browse(dialog, IDC_COMPILE_OUTPUT, L"Browse for the output set file",
                 true, true);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 1);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace quorlith::win32

INT_PTR CALLBACK Decompile(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  auto request = [dialog] {
    return quorlith::DecompileRequestFrom(
        FieldText(dialog, IDC_INPUT), FieldText(dialog, IDC_OUTPUT),
        IsDlgButtonChecked(dialog, IDC_COMPARE) == BST_CHECKED);
  };
  switch (message) {
    case WM_INITDIALOG: {
      EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
      SetFocus(GetDlgItem(dialog, IDC_INPUT));
      SendDlgItemMessageW(dialog, IDC_INPUT, EM_LIMITTEXT, kFieldLimit, 0);
      SendDlgItemMessageW(dialog, IDC_OUTPUT, EM_LIMITTEXT, kFieldLimit, 0);
      // Started to compare a file with new ones: the original is given,
      // the new files are still to be named.
      std::string& original = quorlith::win32::Shell().compare_with;
      if (!original.empty()) {
        SetDlgItemTextW(dialog, IDC_INPUT, quorlith::Widen(original).c_str());
        CheckDlgButton(dialog, IDC_COMPARE, BST_CHECKED);
        SetFocus(GetDlgItem(dialog, IDC_OUTPUT));
        original.clear();
      }
      return FALSE;  // the focus was set here
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_INPUT:
          if (HIWORD(wparam) == EN_CHANGE) {
            EnableWindow(GetDlgItem(dialog, IDOK), Ready(request()));
          }
          return FALSE;
        case IDOK:
          if (!Ready(request())) {
            MessageBeep(MB_OK);
            return FALSE;
          }
          // The main window runs it once the dialog is gone.
          quorlith::win32::Shell().request = request();
          EndDialog(dialog, 1);
          return TRUE;
        case IDC_INPUT_BROWSE:
          Browse(dialog, IDC_INPUT, L"Browse for input files", false, false);
          return TRUE;
        case IDC_OUTPUT_BROWSE:
          // The new files of a comparison are read; reports are written.
          Browse(dialog, IDC_OUTPUT, L"Browse for output files",
                 IsDlgButtonChecked(dialog, IDC_COMPARE) != BST_CHECKED, false);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 1);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}
