#include "win32/settings_editor.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "report/keywords.h"
#include "runs/win32_file_system.h"
#include "runs/win32_wide.h"
#include "setfile/set_file_builder.h"
#include "win32/resource.h"
#include "win32/ui_testing.h"

namespace quorlith::win32 {
namespace {

std::size_t RowOf(std::u16string_view keyword) {
  const Keywords& keywords = Keywords::Get();
  return *keywords.Find(keyword, keywords.size());
}

// The text a screen reader reads for the tree's selected item.
std::string SelectedItem(HWND tree) {
  wchar_t text[256] = {};
  TVITEMW item = {};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return Narrow(text);
}

void Send(HWND target, UINT key) { SendMessageW(target, WM_KEYDOWN, key, 1); }

// An accelerator's command, as the message loop hands it over.
void Command(HWND editor, UINT command) {
  SendMessageW(editor, WM_COMMAND, MAKEWPARAM(command, 1), 0);
}

// Driven by window messages as a keyboard user drives it: find, edit,
// refuse with the focus kept, pick a name, undo, compare and take the
// other file's value, show only what changed, save, pick a command into a
// text, and ask before changes are lost.
TEST(Win32SettingsEditor, EditsFromTheKeyboardInStandardControls) {
  CoInitialize(nullptr);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::string dir = Narrow(temp) + "quorlith-editor-" +
                    std::to_string(GetCurrentProcessId()) + "\\";
  std::filesystem::create_directories(Widen(dir));
  std::vector<std::uint8_t> original = SetFileBuilder().Bytes();
  SettingsModel other;
  std::u16string error;
  ASSERT_TRUE(other.Load(dir + "B.000", original, error));
  ASSERT_FALSE(other.Set(RowOf(u"Key_Pitch"), u"33"));
  for (auto [name, bytes] : {std::pair{"A.000", &std::as_const(original)},
                             std::pair{"B.000", &other.Bytes()}}) {
    std::ofstream(std::filesystem::path(Widen(dir + name)), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()),
               static_cast<std::streamsize>(bytes->size()));
  }
  Win32FileSystem fs;
  int asked = 0;
  int answer = IDCANCEL;
  EditorHooks().choose_file = [&](HWND, const wchar_t*, bool) {
    return dir + "B.000";
  };
  EditorHooks().ask_unsaved = [&](HWND, const std::wstring&) {
    ++asked;
    return answer;
  };

  EXPECT_EQ(OpenSettingsEditor(fs, dir + "none.000", nullptr, error), nullptr);
  EXPECT_NE(error.find(u"none.000"), std::u16string::npos);
  HWND editor = OpenSettingsEditor(fs, dir + "A.000", nullptr, error);
  ASSERT_NE(editor, nullptr);
  const SettingsModel& model = *EditorModel(editor);
  HWND tree = GetDlgItem(editor, IDC_SETTINGS_TREE);
  HWND edit = GetDlgItem(editor, IDC_VALUE_EDIT);
  HWND choice = GetDlgItem(editor, IDC_VALUE_CHOICE);
  HWND find = GetDlgItem(editor, IDC_FIND);
  HWND problem = GetDlgItem(editor, IDC_VALUE_PROBLEM);
  EXPECT_EQ(TextOf(editor), L"A.000 - Settings");
  EXPECT_EQ(GetFocus(), tree);
  EXPECT_EQ(AccessibleName(tree), "Settings");
  EXPECT_EQ(SelectedItem(tree), "Menu 1 - Screen");

  auto go_to = [&](const char* keyword) {
    Command(editor, IDM_FIND);
    EXPECT_EQ(GetFocus(), find);
    SetWindowTextW(find, Widen(keyword).c_str());
    Send(find, VK_RETURN);
    EXPECT_EQ(GetFocus(), tree);
  };
  go_to("key_rate");
  EXPECT_EQ(SelectedItem(tree), "Key_Rate = 0");
  Send(tree, VK_RETURN);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(AccessibleName(edit), "Key_Rate (a number from -32768 to 32767):");
  // The arrows beside a number step it; a text has none.
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(editor, IDC_VALUE_STEPS)));
  Send(edit, VK_UP);
  EXPECT_EQ(TextOf(edit), L"1");
  SetWindowTextW(edit, L"70000");
  Send(edit, VK_RETURN);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_TRUE(IsWindowVisible(problem));
  EXPECT_EQ(Narrow(TextOf(problem)),
            "Key_Rate: \"70000\" is out of range: -32768 to 32767");
  EXPECT_FALSE(model.Modified());
  SetWindowTextW(edit, L"70");
  Send(edit, VK_RETURN);
  EXPECT_EQ(GetFocus(), tree);
  EXPECT_FALSE(IsWindowVisible(edit));
  EXPECT_EQ(SelectedItem(tree), "Key_Rate = 70 (changed)");
  EXPECT_EQ(TextOf(editor), L"A.000, changed - Settings");

  go_to("Window#3_Comment_Line");
  Send(tree, VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(editor, IDC_VALUE_STEPS)));
  Send(edit, VK_UP);
  EXPECT_EQ(TextOf(edit), L"");
  Send(edit, VK_ESCAPE);

  go_to("Key_Voice");
  // F2 through the editor's keys, as the message loop translates them.
  MSG f2 = {tree, WM_KEYDOWN, VK_F2, 1, 0, {}};
  EXPECT_TRUE(TranslateEditorMessage(f2));
  EXPECT_EQ(GetFocus(), choice);
  // Windows names a drop-down list by the label before it (Wine by its
  // text).
  EXPECT_EQ(TextOf(GetWindow(choice, GW_HWNDPREV)),
            L"Key_Voice (one of 8 names):");
  SendMessageW(choice, CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(L"On_with_Words"));
  Send(choice, VK_RETURN);
  EXPECT_EQ(SelectedItem(tree), "Key_Voice = On_with_Words (changed)");
  Command(editor, IDM_UNDO);
  EXPECT_EQ(SelectedItem(tree), "Key_Voice = Off");
  Command(editor, IDM_REDO);
  EXPECT_EQ(SelectedItem(tree), "Key_Voice = On_with_Words (changed)");

  Command(editor, IDM_COMPARE_WITH);
  EXPECT_EQ(SelectedItem(tree), "Key_Rate = 70 (changed; differs: 0 in B.000)");
  Command(editor, IDM_NEXT_DIFFERENCE);
  EXPECT_EQ(SelectedItem(tree), "Key_Pitch = 0 (differs: 33 in B.000)");
  Command(editor, IDM_TAKE_OTHER);
  EXPECT_EQ(SelectedItem(tree), "Key_Pitch = 33 (changed)");
  Command(editor, IDM_CHANGED_ONLY);
  // The section and its three settings changed.
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SelectedItem(tree), "Key_Pitch = 33 (changed)");

  Command(editor, IDM_SAVE);
  EXPECT_EQ(TextOf(editor), L"A.000 - Settings");
  SettingsModel saved;
  ASSERT_TRUE(saved.Open(fs, dir + "A.000", error));
  EXPECT_EQ(saved.Value(RowOf(u"Key_Rate")), u"70");
  EXPECT_EQ(saved.Value(RowOf(u"Key_Pitch")), u"33");

  Command(editor, IDM_UNDO);
  // A command picked from the list by the label's mnemonic takes the
  // place of the word at the edit's caret; the edit's Enter applies it.
  Command(editor, IDM_CHANGED_ONLY);
  go_to("Key#05");
  Send(tree, VK_RETURN);
  HWND commands = GetDlgItem(editor, IDC_VALUE_COMMANDS);
  EXPECT_EQ(TextOf(GetWindow(commands, GW_HWNDPREV)), L"&Commands:");
  SetWindowTextW(edit, L"Alt-Home Word");
  SendMessageW(edit, EM_SETSEL, 10, 10);
  SendMessageW(edit, WM_SYSCHAR, L'c', 1 << 29);
  EXPECT_EQ(GetFocus(), commands);
  SendMessageW(commands, LB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(L"Line"));
  Send(commands, VK_RETURN);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(TextOf(edit), L"Alt-Home Line");
  Send(edit, VK_RETURN);
  EXPECT_EQ(SelectedItem(tree),
            "Key#05 = Alt-Home Line  (changed; differs: Undefined  in B.000)");

  SendMessageW(editor, WM_CLOSE, 0, 0);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(IsWindow(editor));
  answer = IDNO;
  SendMessageW(editor, WM_CLOSE, 0, 0);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(IsWindow(editor));
  std::filesystem::remove_all(Widen(dir));
  CoUninitialize();
}

}  // namespace
}  // namespace quorlith::win32
