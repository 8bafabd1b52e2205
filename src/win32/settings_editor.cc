#include "win32/settings_editor.h"

#include <commctrl.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "report/keywords.h"
#include "runs/win32_wide.h"
#include "win32/annotations.h"
#include "win32/command_list.h"
#include "win32/main_window.h"
#include "win32/resource.h"
#include "win32/settings_tree.h"

namespace quorlith::win32 {
namespace {

std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// One editor window's state, kept in its user data.
struct Editor {
  FileSystem* fs = nullptr;
  SettingsModel model;
  HWND window = nullptr;
  HWND tree = nullptr;
  HWND edit_label = nullptr;
  HWND edit = nullptr;
  HWND steps = nullptr;  // the up-down arrows of a number's edit
  HWND commands_label = nullptr;
  HWND commands = nullptr;  // the command names the edit's text may hold
  HWND choice_label = nullptr;
  HWND choice = nullptr;
  HWND problem = nullptr;
  HWND find_label = nullptr;
  HWND find = nullptr;
  std::vector<HTREEITEM> items;        // by node; null where not shown
  std::optional<std::size_t> editing;  // the row the field edits
  std::wstring shown_text;             // what the tree last asked for
};

Editor* EditorOf(HWND window) {
  return reinterpret_cast<Editor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HACCEL editor_keys = nullptr;
WNDPROC tree_proc = nullptr;
WNDPROC edit_proc = nullptr;
WNDPROC choice_proc = nullptr;
WNDPROC commands_proc = nullptr;
WNDPROC find_proc = nullptr;

std::string ChooseFile(HWND owner, const wchar_t* title, bool save) {
  return Narrow(ChooseFileName(owner, title, {}, save, save));
}

std::optional<std::size_t> CurrentRow(const Editor& editor) {
  return SelectedRow(editor.tree);
}

void RebuildTree(Editor& editor) {
  FillSettingsTree(editor.tree, editor.model, editor.items);
}

void SelectNode(Editor& editor, std::size_t node) {
  SelectSettingsNode(editor.tree, editor.items, node);
}

void LayOut(Editor& editor) {
  RECT client;
  GetClientRect(editor.window, &client);
  constexpr int kLine = 20;        // a label's or a field's height, in pixels
  int bottom = client.bottom - 4;  // a margin below the last control
  auto place = [&](HWND control, int height) {
    if (!IsWindowVisible(control)) return;
    bottom -= height;
    MoveWindow(control, 4, bottom, client.right - 8, height, TRUE);
  };
  if (IsWindowVisible(editor.find)) {
    bottom -= kLine + 4;
    MoveWindow(editor.find_label, 4, bottom + 2, 60, kLine, TRUE);
    MoveWindow(editor.find, 68, bottom, client.right - 72, kLine + 2, TRUE);
  }
  place(editor.problem, 2 * kLine);
  place(editor.commands, 6 * kLine);
  place(editor.commands_label, kLine);
  place(editor.edit, kLine + 2);
  // The arrows stand inside the edit's right end, placed as the edit is.
  if (IsWindowVisible(editor.steps)) {
    SendMessageW(editor.steps, UDM_SETBUDDY,
                 reinterpret_cast<WPARAM>(editor.edit), 0);
  }
  place(editor.edit_label, kLine);
  if (IsWindowVisible(editor.choice)) {
    // A drop-down list's height is its list's; the box shows one line.
    bottom -= kLine + 2;
    MoveWindow(editor.choice, 4, bottom, client.right - 8, 8 * kLine, TRUE);
  }
  place(editor.choice_label, kLine);
  MoveWindow(editor.tree, 0, 0, client.right, std::max(bottom - 4, 0), TRUE);
}

// After the model changed: the title, the tree's texts and the commands
// that depend on it.
void Refresh(Editor& editor) {
  SetWindowTextW(editor.window, Wide(editor.model.WindowTitle()).c_str());
  InvalidateRect(editor.tree, nullptr, TRUE);
  HMENU menu = GetMenu(editor.window);
  auto enable = [menu](UINT command, bool on) {
    EnableMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  enable(IDM_UNDO, editor.model.CanUndo());
  enable(IDM_REDO, editor.model.CanRedo());
  enable(IDM_TAKE_OTHER, editor.model.Comparing());
  CheckMenuItem(
      menu, IDM_CHANGED_ONLY,
      MF_BYCOMMAND | (editor.model.ChangedOnly() ? MF_CHECKED : MF_UNCHECKED));
  if (editor.model.ChangedOnly()) {
    std::optional<std::size_t> row = CurrentRow(editor);
    RebuildTree(editor);
    if (row) SelectNode(editor, NodeOfRow(*row));
  }
}

// A screen reader says the tree's item when the selection moves: the
// item is left for a moment and taken again, so that one that changed
// its text is read anew.
void FocusTreeOn(Editor& editor, std::size_t row) {
  SendMessageW(editor.tree, TVM_SELECTITEM, TVGN_CARET, 0);
  SetFocus(editor.tree);
  SelectNode(editor, NodeOfRow(row));
}

void EndEdit(Editor& editor) {
  editor.editing.reset();
  for (HWND control :
       {editor.edit_label, editor.edit, editor.steps, editor.commands_label,
        editor.commands, editor.choice_label, editor.choice, editor.problem}) {
    ShowWindow(control, SW_HIDE);
  }
  SetWindowTextW(editor.problem, L"");
  SetDescription(editor.edit, {});
  SetDescription(editor.choice, {});
  LayOut(editor);
}

void StartEdit(Editor& editor) {
  std::optional<std::size_t> row = CurrentRow(editor);
  if (!row) {
    MessageBeep(MB_OK);
    return;
  }
  editor.editing = row;
  ValueEditor value_editor = EditorFor(*row);
  bool choice = value_editor.kind == ValueEditor::Kind::kChoice;
  std::wstring label = Wide(Keywords::Get()[*row].keyword) + L" (" +
                       Wide(value_editor.hint) + L"):";
  // Each field is named by the label created just before it.
  SetWindowTextW(editor.edit_label, label.c_str());
  SetWindowTextW(editor.choice_label, label.c_str());
  SetWindowTextW(editor.problem, L"");
  ShowWindow(editor.problem, SW_HIDE);
  std::wstring value = Wide(editor.model.Value(*row));
  HWND field = choice ? editor.choice : editor.edit;
  if (choice) {
    SendMessageW(editor.choice, CB_RESETCONTENT, 0, 0);
    // A stored value without a name shows as its number and stays among
    // the choices, so that Enter keeps it.
    bool named =
        std::find(value_editor.choices.begin(), value_editor.choices.end(),
                  editor.model.Value(*row)) != value_editor.choices.end();
    if (!named) {
      SendMessageW(editor.choice, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(value.c_str()));
    }
    for (const std::u16string& name : value_editor.choices) {
      SendMessageW(editor.choice, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(Wide(name).c_str()));
    }
    SendMessageW(editor.choice, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(value.c_str()));
  } else {
    SetWindowTextW(editor.edit, value.c_str());
    SendMessageW(editor.edit, EM_SETSEL, 0, -1);
  }
  // A number steps through its range with the arrow keys; what the
  // arrows cannot reach (beyond 32 bits) is only typed.
  bool steps = !choice && value_editor.low < value_editor.high &&
               value_editor.low >= INT32_MIN && value_editor.high <= INT32_MAX;
  if (steps) {
    SendMessageW(editor.steps, UDM_SETRANGE32,
                 static_cast<WPARAM>(value_editor.low),
                 static_cast<LPARAM>(value_editor.high));
  }
  ShowWindow(editor.steps, steps ? SW_SHOW : SW_HIDE);
  bool commands = !choice && !value_editor.commands.empty();
  if (commands) FillCommandList(editor.commands, value_editor.commands);
  ShowWindow(editor.commands_label, commands ? SW_SHOW : SW_HIDE);
  ShowWindow(editor.commands, commands ? SW_SHOW : SW_HIDE);
  ShowWindow(editor.edit_label, choice ? SW_HIDE : SW_SHOW);
  ShowWindow(editor.edit, choice ? SW_HIDE : SW_SHOW);
  ShowWindow(editor.choice_label, choice ? SW_SHOW : SW_HIDE);
  ShowWindow(editor.choice, choice ? SW_SHOW : SW_HIDE);
  LayOut(editor);
  SetFocus(field);
}

void ApplyEdit(Editor& editor) {
  if (!editor.editing) return;
  bool choice = IsWindowVisible(editor.choice) != FALSE;
  std::wstring text = TextOf(choice ? editor.choice : editor.edit);
  ParseResult problem = editor.model.Set(*editor.editing, FromWide(text));
  if (problem) {
    // The reason shows beside the field, whose focus stays: a screen
    // reader says the live text as it changes, and keeps it as the
    // field's description.
    std::wstring reason = Wide(*problem);
    SetWindowTextW(editor.problem, reason.c_str());
    ShowWindow(editor.problem, SW_SHOW);
    LayOut(editor);
    SetDescription(choice ? editor.choice : editor.edit, reason);
    AnnounceLiveRegion(editor.problem);
    MessageBeep(MB_ICONWARNING);
    return;
  }
  std::size_t row = *editor.editing;
  EndEdit(editor);
  Refresh(editor);
  FocusTreeOn(editor, row);
}

bool Save(Editor& editor) {
  std::u16string error;
  SettingsModel::SaveResult result =
      editor.model.Save(*editor.fs, false, error);
  if (result == SettingsModel::SaveResult::kChangedOnDisk &&
      EditorHooks().ask_overwrite(editor.window,
                                  Wide(error) + L" Save over it anyway?")) {
    result = editor.model.Save(*editor.fs, true, error);
  }
  if (result == SettingsModel::SaveResult::kFailed) {
    EditorHooks().show_error(editor.window, Wide(error));
  }
  Refresh(editor);
  return result == SettingsModel::SaveResult::kSaved;
}

bool SaveAs(Editor& editor) {
  std::string path =
      EditorHooks().choose_file(editor.window, L"Save Set File As", true);
  if (path.empty()) return false;
  std::u16string error;
  if (editor.model.SaveAs(*editor.fs, path, error) !=
      SettingsModel::SaveResult::kSaved) {
    EditorHooks().show_error(editor.window, Wide(error));
    return false;
  }
  Refresh(editor);
  return true;
}

// True when nothing unsaved would be lost, or the user saved or dropped
// it.
bool MayDiscard(Editor& editor) {
  if (!editor.model.Modified()) return true;
  switch (EditorHooks().ask_unsaved(
      editor.window, Wide(editor.model.FileName()) +
                         L" has changes that are not saved. Save them?")) {
    case IDYES:
      return Save(editor);
    case IDNO:
      return true;
    default:
      return false;
  }
}

bool OpenFile(Editor& editor, std::string_view path, std::u16string& error) {
  if (!editor.model.Open(*editor.fs, path, error)) return false;
  EndEdit(editor);
  RebuildTree(editor);
  Refresh(editor);
  auto first = reinterpret_cast<HTREEITEM>(
      SendMessageW(editor.tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  SendMessageW(editor.tree, TVM_SELECTITEM, TVGN_CARET,
               reinterpret_cast<LPARAM>(first));
  return true;
}

void GoTo(Editor& editor, std::optional<std::size_t> row) {
  if (!row) {
    MessageBeep(MB_OK);
    return;
  }
  SelectNode(editor, NodeOfRow(*row));
  SetFocus(editor.tree);
}

void FindAgain(Editor& editor, bool forward) {
  std::optional<std::size_t> from = CurrentRow(editor);
  std::optional<std::size_t> row = editor.model.Find(
      FromWide(TextOf(editor.find)),
      from.value_or(forward ? Keywords::Get().size() - 1 : 0), forward);
  if (row) {
    ShowWindow(editor.find_label, SW_HIDE);
    ShowWindow(editor.find, SW_HIDE);
    LayOut(editor);
  }
  GoTo(editor, row);
}

void StepDiffering(Editor& editor, bool forward) {
  std::optional<std::size_t> from = CurrentRow(editor);
  GoTo(editor,
       editor.model.NextDiffering(
           from.value_or(forward ? Keywords::Get().size() - 1 : 0), forward));
}

void Command(Editor& editor, UINT command) {
  switch (command) {
    case IDM_OPEN_SET_FILE: {
      if (!MayDiscard(editor)) return;
      std::string path =
          EditorHooks().choose_file(editor.window, L"Edit Set File", false);
      std::u16string error;
      if (!path.empty() && !OpenFile(editor, path, error)) {
        EditorHooks().show_error(editor.window, Wide(error));
      }
      return;
    }
    case IDM_SAVE:
      Save(editor);
      return;
    case IDM_SAVE_AS:
      SaveAs(editor);
      return;
    case IDM_COMPARE_WITH: {
      std::string path =
          EditorHooks().choose_file(editor.window, L"Compare With", false);
      if (path.empty()) return;
      std::u16string error;
      if (!editor.model.CompareWith(*editor.fs, path, error)) {
        EditorHooks().show_error(editor.window, Wide(error));
        return;
      }
      Refresh(editor);
      StepDiffering(editor, true);
      return;
    }
    case IDM_CLOSE:
      SendMessageW(editor.window, WM_CLOSE, 0, 0);
      return;
    case IDM_UNDO:
    case IDM_REDO: {
      std::optional<std::size_t> row =
          command == IDM_UNDO ? editor.model.Undo() : editor.model.Redo();
      if (!row) {
        MessageBeep(MB_OK);
        return;
      }
      EndEdit(editor);
      Refresh(editor);
      FocusTreeOn(editor, *row);
      return;
    }
    case IDM_EDIT_VALUE:
      StartEdit(editor);
      return;
    case IDM_TAKE_OTHER: {
      std::optional<std::size_t> row = CurrentRow(editor);
      if (!row || !editor.model.TakeOther(*row)) {
        MessageBeep(MB_OK);
        return;
      }
      Refresh(editor);
      FocusTreeOn(editor, *row);
      return;
    }
    case IDM_FIND:
      ShowWindow(editor.find_label, SW_SHOW);
      ShowWindow(editor.find, SW_SHOW);
      LayOut(editor);
      SendMessageW(editor.find, EM_SETSEL, 0, -1);
      SetFocus(editor.find);
      return;
    case IDM_FIND_NEXT:
    case IDM_FIND_PREVIOUS:
      FindAgain(editor, command == IDM_FIND_NEXT);
      return;
    case IDM_NEXT_DIFFERENCE:
    case IDM_PREVIOUS_DIFFERENCE:
      StepDiffering(editor, command == IDM_NEXT_DIFFERENCE);
      return;
    case IDM_CHANGED_ONLY: {
      std::optional<std::size_t> row = CurrentRow(editor);
      editor.model.SetChangedOnly(!editor.model.ChangedOnly());
      RebuildTree(editor);
      Refresh(editor);
      if (row && editor.model.Shown(NodeOfRow(*row))) {
        SelectNode(editor, NodeOfRow(*row));
      } else {
        auto first = reinterpret_cast<HTREEITEM>(
            SendMessageW(editor.tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        SendMessageW(editor.tree, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(first));
      }
      return;
    }
  }
}

// Enter on a setting edits it (on a section it opens or closes it); in
// the value's field Enter applies and Escape cancels; in the find field
// Enter finds and Escape leaves it.
LRESULT CALLBACK FieldProc(HWND control, UINT message, WPARAM wparam,
                           LPARAM lparam) {
  HWND window = GetAncestor(control, GA_ROOT);
  Editor* editor = EditorOf(window);
  WNDPROC base = nullptr;
  if (editor != nullptr) {
    base = control == editor->tree       ? tree_proc
           : control == editor->edit     ? edit_proc
           : control == editor->choice   ? choice_proc
           : control == editor->commands ? commands_proc
                                         : find_proc;
  }
  // Tab and the label's Alt+C move between the edit and its commands.
  bool with_commands = editor != nullptr && IsWindowVisible(editor->commands) &&
                       (control == editor->edit || control == editor->commands);
  if (with_commands && message == WM_SYSCHAR &&
      (wparam == L'c' || wparam == L'C')) {
    SetFocus(editor->commands);
    return 0;
  }
  if (with_commands && message == WM_KEYDOWN && wparam == VK_TAB) {
    SetFocus(control == editor->edit ? editor->commands : editor->edit);
    return 0;
  }
  if (editor != nullptr && message == WM_KEYDOWN) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    if (control == editor->tree) {
      if (wparam == VK_RETURN) {
        if (CurrentRow(*editor)) {
          StartEdit(*editor);
        } else {
          auto item = reinterpret_cast<HTREEITEM>(
              SendMessageW(control, TVM_GETNEXTITEM, TVGN_CARET, 0));
          SendMessageW(control, TVM_EXPAND, TVE_TOGGLE,
                       reinterpret_cast<LPARAM>(item));
        }
        return 0;
      }
    } else if (control == editor->find) {
      if (wparam == VK_RETURN) {
        FindAgain(*editor, !shift);
        return 0;
      }
      if (wparam == VK_ESCAPE) {
        ShowWindow(editor->find_label, SW_HIDE);
        ShowWindow(editor->find, SW_HIDE);
        LayOut(*editor);
        SetFocus(editor->tree);
        return 0;
      }
    } else if (control == editor->commands) {
      if (wparam == VK_RETURN) {
        PutChosenCommand(control, editor->edit);
        return 0;
      }
      if (wparam == VK_ESCAPE) {
        EndEdit(*editor);
        SetFocus(editor->tree);
        return 0;
      }
    } else {
      if (control == editor->edit && (wparam == VK_UP || wparam == VK_DOWN) &&
          !IsWindowVisible(editor->steps)) {
        return 0;
      }
      bool dropped = control == editor->choice &&
                     SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != 0;
      if (wparam == VK_RETURN && !dropped) {
        ApplyEdit(*editor);
        return 0;
      }
      if (wparam == VK_ESCAPE && !dropped) {
        EndEdit(*editor);
        SetFocus(editor->tree);
        return 0;
      }
    }
  }
  // Their characters would only beep.
  if (message == WM_CHAR &&
      (wparam == L'\r' || wparam == 0x1B || wparam == L'\t')) {
    return 0;
  }
  if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
  return CallWindowProcW(base, control, message, wparam, lparam);
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wparam,
                            LPARAM lparam) {
  Editor* editor = EditorOf(window);
  if (editor == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_SIZE:
      LayOut(*editor);
      return 0;
    case WM_SETFOCUS:
      SetFocus(editor->tree);
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lparam) == editor->commands) {
        if (HIWORD(wparam) == LBN_DBLCLK) {
          PutChosenCommand(editor->commands, editor->edit);
        }
        return 0;
      }
      // A key of the accelerator table gives its command with a high word
      // of 1, a menu with 0.
      if (HIWORD(wparam) <= 1) Command(*editor, LOWORD(wparam));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->hwndFrom != editor->tree) break;
      if (header->code == TVN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTVDISPINFOW*>(lparam);
        if (info->item.mask & TVIF_TEXT) {
          editor->shown_text =
              SettingsItemText(editor->model, info->item.lParam);
          info->item.pszText = editor->shown_text.data();
        }
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      if (MayDiscard(*editor)) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      delete editor;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

bool RegisterEditorClass(HINSTANCE instance) {
  static const bool registered = [instance] {
    INITCOMMONCONTROLSEX controls = {sizeof controls,
                                     ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSW window_class = {};
    window_class.lpfnWndProc = EditorProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, L"ORVSET");
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszMenuName = L"EDITORMENU";
    window_class.lpszClassName = kEditorClass;
    editor_keys = LoadAcceleratorsW(instance, L"EDITORKEYS");
    return RegisterClassW(&window_class) != 0;
  }();
  return registered;
}

BOOL CALLBACK CloseEditor(HWND window, LPARAM lparam) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (std::wstring_view(name) == kEditorClass) {
    SendMessageW(window, WM_CLOSE, 0, 0);
    if (IsWindow(window)) *reinterpret_cast<bool*>(lparam) = false;
  }
  return TRUE;
}

}  // namespace

EditorDialogs& EditorHooks() {
  static EditorDialogs hooks = {
      ChooseFile,
      [](HWND owner, const std::wstring& text) {
        return MessageBoxW(owner, text.c_str(), L"Settings",
                           MB_YESNOCANCEL | MB_ICONQUESTION);
      },
      [](HWND owner, const std::wstring& text) {
        return MessageBoxW(owner, text.c_str(), L"Settings",
                           MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
      },
      [](HWND owner, const std::wstring& text) {
        MessageBoxW(owner, text.c_str(), L"Settings", MB_OK | MB_ICONWARNING);
      },
  };
  return hooks;
}

HWND OpenSettingsEditor(FileSystem& fs, std::string_view path, HWND owner,
                        std::u16string& error) {
  auto instance =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  if (instance == nullptr) instance = GetModuleHandleW(nullptr);
  if (!RegisterEditorClass(instance)) {
    error = u"Error creating window class";
    return nullptr;
  }
  auto editor = std::make_unique<Editor>();
  editor->fs = &fs;
  if (!editor->model.Open(fs, path, error)) return nullptr;
  HWND window = CreateWindowW(kEditorClass, L"Settings", WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 640, 560, owner,
                              nullptr, instance, nullptr);
  if (window == nullptr) {
    error = u"Error creating window";
    return nullptr;
  }
  editor->window = window;
  auto child = [&](const wchar_t* type, const wchar_t* text, DWORD style,
                   int id) {
    return CreateWindowExW(0, type, text, WS_CHILD | style, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, nullptr);
  };
  // A screen reader names a control by the static text created just
  // before it.
  child(L"Static", L"Settings", 0, -1);
  // The tree's own text names it where no label is looked for.
  editor->tree = child(WC_TREEVIEWW, L"Settings",
                       WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS |
                           TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                       IDC_SETTINGS_TREE);
  editor->edit_label = child(L"Static", L"", 0, -1);
  editor->edit = child(L"Edit", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                       IDC_VALUE_EDIT);
  editor->commands_label = child(L"Static", L"&Commands:", 0, -1);
  editor->commands = child(
      L"ListBox", L"",
      WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
      IDC_VALUE_COMMANDS);
  editor->choice_label = child(L"Static", L"", 0, -1);
  editor->choice =
      child(L"ComboBox", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
            IDC_VALUE_CHOICE);
  editor->problem = child(L"Static", L"", 0, IDC_VALUE_PROBLEM);
  MakeLiveRegion(editor->problem);
  editor->find_label = child(L"Static", L"&Find:", 0, -1);
  editor->find =
      child(L"Edit", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, IDC_FIND);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EnumChildWindows(
      window,
      [](HWND control, LPARAM gui_font) {
        SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(gui_font), TRUE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(font));
  auto subclass = [](HWND control) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc)));
  };
  editor->steps =
      child(UPDOWN_CLASSW, L"",
            UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
            IDC_VALUE_STEPS);
  SendMessageW(editor->steps, UDM_SETBUDDY,
               reinterpret_cast<WPARAM>(editor->edit), 0);
  // The edit's own subclass after the arrows': it sees Up and Down first,
  // and keeps them from a value that is no number.
  tree_proc = subclass(editor->tree);
  edit_proc = subclass(editor->edit);
  choice_proc = subclass(editor->choice);
  commands_proc = subclass(editor->commands);
  find_proc = subclass(editor->find);
  Editor* state = editor.release();
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  EndEdit(*state);
  RebuildTree(*state);
  Refresh(*state);
  SelectNode(*state, SettingsTree()[0].children.front());
  ShowWindow(window, SW_SHOWNORMAL);
  LayOut(*state);
  SetFocus(state->tree);
  return window;
}

const SettingsModel* EditorModel(HWND editor) {
  wchar_t name[32] = {};
  GetClassNameW(editor, name, 32);
  if (std::wstring_view(name) != kEditorClass) return nullptr;
  Editor* state = EditorOf(editor);
  return state != nullptr ? &state->model : nullptr;
}

bool TranslateEditorMessage(MSG& message) {
  if (editor_keys == nullptr || message.hwnd == nullptr) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  return EditorModel(root) != nullptr &&
         TranslateAcceleratorW(root, editor_keys, &message) != 0;
}

bool CloseEditors() {
  bool closed = true;
  EnumThreadWindows(GetCurrentThreadId(), CloseEditor,
                    reinterpret_cast<LPARAM>(&closed));
  return closed;
}

}  // namespace quorlith::win32
