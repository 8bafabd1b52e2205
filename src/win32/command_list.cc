#include "win32/command_list.h"

#include <string_view>

#include "shell/settings_model.h"

namespace quorlith::win32 {

void FillCommandList(HWND list, const std::vector<std::u16string>& names) {
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::u16string& name : names) {
    std::wstring wide(name.begin(), name.end());
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  SendMessageW(list, LB_SETCURSEL, 0, 0);
}

bool PutChosenCommand(HWND list, HWND edit) {
  LRESULT chosen = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (chosen == LB_ERR) return false;
  auto index = static_cast<WPARAM>(chosen);
  std::wstring name(
      static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1,
      L'\0');
  name.resize(static_cast<std::size_t>(SendMessageW(
      list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data()))));
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
  TextAtCaret put =
      PutWordAtCaret(std::u16string(text.begin(), text.end()), end,
                     std::u16string(name.begin(), name.end()));
  // The focus first: a screen reader then says the field, its new text
  // and all, rather than only the change to a field it knew.
  SetFocus(edit);
  SetWindowTextW(edit, std::wstring(put.text.begin(), put.text.end()).c_str());
  SendMessageW(edit, EM_SETSEL, put.caret, static_cast<LPARAM>(put.caret));
  return true;
}

}  // namespace quorlith::win32
