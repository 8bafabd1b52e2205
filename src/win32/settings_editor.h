#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "runs/file_system.h"
#include "shell/settings_model.h"

namespace quorlith::win32 {

// The settings editor of the Windows program, a window of its own over one
// set file, in standard controls that every Windows screen reader reads:
// a tree of the settings in report order, each leaf's text its report
// line; below it the field a value is typed into (an edit, or a drop-down
// list of the names the value may take) after a label with the keyword
// and what it takes, the list of the commands an edit's text may hold
// (Tab or Alt+C reaches it, Enter puts one in at the caret), and the
// reason a value was refused. Enter or F2 edits,
// Enter applies, Escape cancels. What is decided is the shared model's.
inline constexpr wchar_t kEditorClass[] = L"QuorlithSettings";

// What the editor asks of the user outside its window; tests replace it.
struct EditorDialogs {
  // A file to open (or to write, when `save`); empty when cancelled.
  std::function<std::string(HWND owner, const wchar_t* title, bool save)>
      choose_file;
  // IDYES to save unsaved changes, IDNO to drop them, IDCANCEL to stay.
  std::function<int(HWND owner, const std::wstring& text)> ask_unsaved;
  // Whether to write over a file someone else changed since.
  std::function<bool(HWND owner, const std::wstring& text)> ask_overwrite;
  std::function<void(HWND owner, const std::wstring& text)> show_error;
};
EditorDialogs& EditorHooks();

// Opens an editor on the set file `path`, owned by `owner`; null, with
// `error` naming the file and the reason, when the file cannot be edited.
HWND OpenSettingsEditor(FileSystem& fs, std::string_view path, HWND owner,
                        std::u16string& error);

// The model behind an editor window, for tests; null for another window.
const SettingsModel* EditorModel(HWND editor);

// Turns an editor's keys (Ctrl+S, Ctrl+Z, Ctrl+F, F8, ...) into its
// commands; true when the message was used up so.
bool TranslateEditorMessage(MSG& message);

// Asks every open editor to close, as the program ends; false when one
// stays open because its user chose to keep unsaved changes.
bool CloseEditors();

}  // namespace quorlith::win32
