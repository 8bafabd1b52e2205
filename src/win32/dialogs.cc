#include <string>

#include "runs/win32_wide.h"
#include "shell/run_session.h"
#include "win32/main_window.h"
#include "win32/resource.h"

namespace {

// Both fields take this many characters; a field is read whole, as the
// Linux program reads it, so the run never gets a name cut short.
constexpr WPARAM kMaxFieldLength = 548;

std::string FieldText(HWND dialog, int id) {
  HWND field = GetDlgItem(dialog, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  return quorlith::Narrow(text);
}

}  // namespace

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
  auto filled = [&](int id) {
    return GetWindowTextLengthW(GetDlgItem(dialog, id)) > 0;
  };
  switch (message) {
    case WM_INITDIALOG:
      EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
      for (int id : kFields) {
        SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, kMaxFieldLength, 0);
      }
      SetFocus(GetDlgItem(dialog, IDC_REPORT));
      return FALSE;  // the focus was set here
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_REPORT:
        case IDC_COMPILE_OUTPUT:
          if (HIWORD(wparam) == EN_CHANGE) {
            EnableWindow(GetDlgItem(dialog, IDOK),
                         filled(IDC_REPORT) && filled(IDC_COMPILE_OUTPUT));
          }
          return FALSE;
        case IDOK:
          if (!filled(IDC_REPORT) || !filled(IDC_COMPILE_OUTPUT)) {
            MessageBeep(MB_OK);
            return FALSE;
          }
          Shell().compile_request = CompileRequest{
              FieldText(dialog, IDC_REPORT), FieldText(dialog, IDC_BASE),
              FieldText(dialog, IDC_COMPILE_OUTPUT), 1};
          EndDialog(dialog, 1);
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
  switch (message) {
    case WM_INITDIALOG:
      EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
      SetFocus(GetDlgItem(dialog, IDC_INPUT));
      SendDlgItemMessageW(dialog, IDC_INPUT, EM_LIMITTEXT, kMaxFieldLength, 0);
      SendDlgItemMessageW(dialog, IDC_OUTPUT, EM_LIMITTEXT, kMaxFieldLength, 0);
      return FALSE;  // the focus was set here
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_INPUT:
          if (HIWORD(wparam) == EN_CHANGE) {
            EnableWindow(
                GetDlgItem(dialog, IDOK),
                GetWindowTextLengthW(GetDlgItem(dialog, IDC_INPUT)) > 0);
          }
          return FALSE;
        case IDOK: {
          std::string input = FieldText(dialog, IDC_INPUT);
          if (input.empty()) {
            MessageBeep(MB_OK);
            return FALSE;
          }
          std::string output = FieldText(dialog, IDC_OUTPUT);
          bool compare = IsDlgButtonChecked(dialog, IDC_COMPARE) == BST_CHECKED;
          // The main window runs it once the dialog is gone.
          quorlith::win32::Shell().request = quorlith::win32::DecompileRequest{
              quorlith::RunModeFor(!output.empty(), compare), std::move(input),
              std::move(output)};
          EndDialog(dialog, 1);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(dialog, 1);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}
