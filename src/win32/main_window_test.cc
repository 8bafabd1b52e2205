#include "win32/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "runs/win32_file_system.h"
#include "runs/win32_wide.h"
#include "setfile/set_file_builder.h"
#include "win32/resource.h"
#include "win32/settings_editor.h"

// What the Win32 program adds to the shared code, whose decisions
// run_session_test.cc and settings_model_test.cc check: its windows,
// resources, keys, dialogs and message loops, and what a screen reader
// gets from them. Driven as a user drives it, with window messages.

namespace quorlith::win32 {
namespace {

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The visible dialog titled `title`, or null.
HWND FindDialog(const wchar_t* title) {
  HWND dialog = FindWindowW(L"#32770", title);
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

// Steps that a test takes as a user would, each acting once it is ready,
// checked at every tick of a thread timer. The timer's messages reach the
// modal loops of dialogs and the run's pump too, so a step can act while
// a dialog is open or a run goes on, as a user's keys do. Pumps messages
// until every step is done and the message that the loop was handling
// when the last one acted is handled too (a dialog it opened is closed);
// false after 30 seconds or a quit message.
using Steps =
    std::vector<std::pair<std::function<bool()>, std::function<void()>>>;
bool Play(Steps steps) {
  static Steps* playing;
  static std::size_t next;
  static DWORD start;
  playing = &steps;
  next = 0;
  start = GetTickCount();
  UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
    if (GetTickCount() - start > 30000) {
      // Unblocks the test: a quit message ends the loops of dialogs, of a
      // run and this one.
      PostQuitMessage(1);
    } else if (next < playing->size() && (*playing)[next].first()) {
      SCOPED_TRACE(testing::Message() << "step " << next);
      (*playing)[next++].second();
    }
  });
  MSG message;
  while (next < steps.size() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateShellMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  KillTimer(nullptr, timer);
  return next == steps.size() && GetTickCount() - start <= 30000;
}

// A step for once the dialog titled `title` shows. A dialog opened by a
// message that Play dispatches is gone once Play returns.
Steps::value_type OnDialog(const wchar_t* title,
                           std::function<void(HWND)> act) {
  return {[title] { return FindDialog(title) != nullptr; },
          [title, act] { act(FindDialog(title)); }};
}

// Hands the program what waits in the queue, as its message loop does; a
// quit message is dropped.
void Drain() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT || TranslateShellMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Keys as a dialog's own loop gets them: posted, not sent.
void PostKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
}
// Alike, outside a dialog, and handled on return.
void PressKey(HWND target, UINT key) {
  PostKey(target, key);
  Drain();
}
void Type(HWND field, std::string_view text) {
  for (wchar_t unit : Widen(text)) SendMessageW(field, WM_CHAR, unit, 1);
}
// A key that a control reads at once.
void Send(HWND target, WPARAM key) { SendMessageW(target, WM_KEYDOWN, key, 1); }
// Alike, with Control held.
void PressControl(HWND target, UINT key) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_CONTROL] = 0x80;
  SetKeyboardState(state);
  Send(target, key);
  state[VK_CONTROL] = 0;
  SetKeyboardState(state);
}

// The name a screen reader gets for `control` through Active
// Accessibility (Wine's names a field by the label before it, as Windows
// does), or a note saying why there is none.
std::string AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  BSTR name = nullptr;
  // mingw-w64's IID_IAccessible links to a stub, not the GUID: __uuidof.
  if (SUCCEEDED(AccessibleObjectFromWindow(
          control, OBJID_CLIENT, __uuidof(IAccessible),
          reinterpret_cast<void**>(&accessible)))) {
    VARIANT self = {};
    self.vt = VT_I4;  // lVal is CHILDID_SELF, 0
    if (accessible->get_accName(self, &name) != S_OK) name = nullptr;
    accessible->Release();
  }
  std::string text = name ? Narrow(name) : "(no name)";
  SysFreeString(name);
  return text;
}

// The text of `edit` from its caret on.
std::wstring FromCaret(HWND edit) {
  DWORD start = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return TextOf(edit).substr(start);
}

// The text a screen reader reads for the tree's selected item.
std::string SelectedItem(HWND tree) {
  wchar_t text[256] = {};
  TVITEMW item = {};
  item.mask = TVIF_TEXT;
  item.hItem = TreeView_GetSelection(tree);
  item.pszText = text;
  item.cchTextMax = 256;
  TreeView_GetItem(tree, &item);
  return Narrow(text);
}

class Win32ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    static const bool kRegistered =
        RegisterMainClass(GetModuleHandleW(nullptr)) != 0;
    ASSERT_TRUE(kRegistered);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = Narrow(temp) + "quorlith-gui\\";
    std::filesystem::create_directories(Widen(dir_));
    SetCurrentDirectoryW(Widen(dir_).c_str());
    Shell().error_box = [](UINT id) { ADD_FAILURE() << "error box " << id; };
    Shell().allocate_log = nullptr;
  }

  void TearDown() override {
    Close();
    CoUninitialize();
    SetCurrentDirectoryW(L"C:\\");
    std::filesystem::remove_all(Widen(dir_));
  }

  // A set file, unless other bytes are given.
  template <typename Bytes = std::vector<std::uint8_t>>
  void Write(const std::string& name,
             const Bytes& bytes = SetFileBuilder().Bytes()) {
    std::ofstream(std::filesystem::path(Widen(dir_ + name)), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  // Destroys the main window and drops what it left in the queue, its
  // quit message included.
  void Close() {
    if (Shell().window) DestroyWindow(Shell().window);
    Drain();
  }

  bool Start(const std::string& arguments = {}) {
    std::wstring command_line = L"quorlith-gui.exe " + Widen(arguments);
    return InitInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL,
                        command_line.c_str(), fs_);
  }

  std::string PaneText() { return Narrow(TextOf(Shell().log_pane)); }
  static bool Greyed(UINT command) {
    return GetMenuState(GetMenu(Shell().window), command, MF_BYCOMMAND) &
           MF_GRAYED;
  }

  Win32FileSystem fs_;
  std::string dir_;
};

// The window class and title, the menu and keys as the resources have
// them, the names screen readers give both panes, the window's own sharp
// icons, and the About box.
TEST_F(Win32ShellTest, MainWindowMenuKeysIconsAndAbout) {
  ASSERT_TRUE(Start("nothing.000"));
  HWND window = Shell().window;
  EXPECT_EQ(FindWindowW(L"OrvSetClass", L"Quorlith"), window);
  // Each key a menu item shows is the accelerator of its command.
  using Key = std::tuple<int, int, int>;
  std::vector<std::pair<std::wstring, UINT>> items;
  std::vector<Key> shown, keys;
  for (int popup : {0, 1}) {
    HMENU menu = GetSubMenu(GetMenu(window), popup);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[32] = {};
      GetMenuStringW(menu, i, text, 32, MF_BYPOSITION);
      items.emplace_back(text, GetMenuItemID(menu, i));
      if (wcsstr(text, L"\tCtrl+") != nullptr) {
        shown.emplace_back(FVIRTKEY | FCONTROL, text[wcslen(text) - 1],
                           items.back().second);
      }
    }
  }
  EXPECT_EQ(items, (std::vector<std::pair<std::wstring, UINT>>{
                       {L"&Decompile...\tCtrl+O", IDM_DECOMPILE},
                       {L"&Compile...\tCtrl+B", IDM_COMPILE},
                       {L"&Edit Set File...\tCtrl+E", IDM_EDIT_SET_FILE},
                       {L"E&xit\tCtrl+Q", IDM_EXIT},
                       {L"&About...", IDM_ABOUT}}));
  ACCEL table[8];
  for (int i = 0; i < CopyAcceleratorTableW(Shell().keys, table, 8); ++i) {
    keys.emplace_back(table[i].fVirt & ~FNOINVERT, table[i].key, table[i].cmd);
  }
  shown.insert(shown.end(), {{FVIRTKEY, VK_F8, IDM_NEXT_ERROR},
                             {FVIRTKEY | FSHIFT, VK_F8, IDM_PREVIOUS_ERROR}});
  EXPECT_EQ(keys, shown);
  EXPECT_EQ(AccessibleName(Shell().log_pane), "Progress log");
  EXPECT_EQ(AccessibleName(Shell().summary), "Summary");
  auto icon = SendMessageW(window, WM_GETICON, ICON_SMALL, 0);
  EXPECT_NE(icon, 0);
  EXPECT_NE(icon, static_cast<LRESULT>(GetClassLongPtrW(window, GCLP_HICON)));
  // Escape and the close command leave the About box open; OK closes it.
  PostMessageW(window, WM_COMMAND, IDM_ABOUT, 0);
  ASSERT_TRUE(Play({OnDialog(L"About Quorlith", [](HWND about) {
    SendMessageW(about, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_EQ(FindDialog(L"About Quorlith"), about);
    SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
  })}));
}

// Without arguments the Decompile dialog opens, its OK enabled by an
// input. While its run goes on the commands are greyed; Exit ends the
// run after its current file, and the program with status 0.
TEST_F(Win32ShellTest, DecompileGreyedDuringARunAndExitEndsIt) {
  for (int i = 0; i < 300; ++i) Write("S" + std::to_string(i) + ".000");
  ASSERT_TRUE(Start());  // the dialog opens
  ASSERT_TRUE(Play({
      OnDialog(L"Decompile",
               [](HWND dialog) {
                 EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
                 Type(GetFocus(), "*");  // the input has the focus
                 PostKey(GetFocus(), VK_RETURN);
               }),
      {[] { return Shell().session->Running(); },
       [] {
         EXPECT_TRUE(Greyed(IDM_DECOMPILE));
         // A posted command cannot start a second run either: its dialog
         // would stay open past Play's time.
         SendMessageW(Shell().window, WM_COMMAND, IDM_DECOMPILE, 0);
         SendMessageW(Shell().window, WM_COMMAND, IDM_EXIT, 0);
       }},
  }));
  EXPECT_EQ(Shell().session->Log(), nullptr);  // released with the window
  // The run stopped after its current file.
  EXPECT_LT(std::count_if(std::filesystem::directory_iterator(Widen(dir_)), {},
                          [](const auto& entry) {
                            return entry.path().extension() == L".t00";
                          }),
            300);
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

// A command line runs at once; then the summary has the focus, Tab
// reaches the log, F8 its error and Enter opens a line's report in a
// viewer read from the keyboard alone, which Escape closes.
TEST_F(Win32ShellTest, AfterARunFromTheKeyboard) {
  Write("S000.000");
  Write("Z.000", std::string("not a set file"));
  Write("BAD.txt", std::string("; Menu 2 - Keyboard\nKey_Rate = x\n"));
  ASSERT_TRUE(Start("*.000"));
  EXPECT_EQ(Narrow(TextOf(Shell().summary)),
            "Decompiled 1 file, 1 error. Report next to the set file.");
  EXPECT_FALSE(Greyed(IDM_DECOMPILE));
  EXPECT_EQ(GetFocus(), Shell().summary);
  HWND pane = Shell().log_pane;
  PressKey(Shell().summary, VK_TAB);
  EXPECT_EQ(GetFocus(), pane);
  PressKey(pane, VK_F8);
  EXPECT_TRUE(FromCaret(pane).starts_with(L"Error: File "));
  SendMessageW(pane, EM_SETSEL, 0, 0);
  PressKey(pane, VK_RETURN);
  HWND viewer = FindWindowW(kViewerClass, L"S000.t00 - Report");
  ASSERT_NE(viewer, nullptr);
  HWND report = GetFocus();
  EXPECT_EQ(AccessibleName(report), "Report");
  EXPECT_TRUE(FromCaret(report).starts_with(L"Screen_Voice = Off"));
  // F6 steps to the next section, Ctrl+F finds and selects a match.
  PressKey(report, VK_F6);
  EXPECT_TRUE(FromCaret(report).starts_with(L"; Menu 1.6 - "));
  PressControl(report, 'F');
  ASSERT_NE(Shell().find_dialog, nullptr);
  SetDlgItemTextW(Shell().find_dialog, 1152, L"key_rate");
  SendMessageW(Shell().find_dialog, WM_COMMAND, IDOK, 0);
  Drain();
  EXPECT_EQ(Shell().find_dialog, nullptr);
  EXPECT_TRUE(FromCaret(GetFocus()).starts_with(L"Key_Rate = "));
  PressKey(GetFocus(), VK_ESCAPE);
  EXPECT_FALSE(IsWindow(viewer));
  // The Compile dialog's OK waits for the report and the output; each
  // field reaches the run.
  PostMessageW(Shell().window, WM_COMMAND, IDM_COMPILE, 0);
  ASSERT_TRUE(Play({OnDialog(L"Compile", [](HWND dialog) {
    const std::tuple<int, const char*, const char*> kFields[] = {
        {IDC_REPORT, "Report:", "BAD.txt"},
        {IDC_BASE, "Base Set File(s):", "S000.000"},
        {IDC_COMPILE_OUTPUT, "Output Set File:", "NEW.000"}};
    for (auto [id, name, text] : kFields) {
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
      EXPECT_EQ(AccessibleName(GetDlgItem(dialog, id)), name);
      Type(GetDlgItem(dialog, id), text);
    }
    PostKey(GetFocus(), VK_RETURN);
  })}));
  EXPECT_TRUE(PaneText().ends_with("1 problem in BAD.txt; " + dir_ +
                                   "NEW.000 not written"));
}

// "--view" shows a set file's report, "--edit" opens it
// in the settings editor. "--compare-with" readies the Decompile dialog:
// its input given, the box ticked and the focus on the output, where a
// path may come quoted. Each field is named by its label, takes 548
// characters and has its Browse... button next; the labels' mnemonics
// reach the fields.
TEST_F(Win32ShellTest, StartOptionsAndTheDecompileDialog) {
  Write("S000.000");
  ASSERT_TRUE(Start("--view S000"));
  EXPECT_NE(FindWindowW(kViewerClass, L"S000.000 - Report"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(Widen(dir_ + "S000.t00")));
  Close();
  ASSERT_TRUE(Start("--edit S000"));
  EXPECT_NE(FindWindowW(kEditorClass, L"S000.000 - Settings"), nullptr);
  Close();
  ASSERT_TRUE(Start("--compare-with \"" + dir_ + "S000.000\""));
  HWND dialog = nullptr;
  ASSERT_TRUE(Play({
      OnDialog(L"Decompile",
               [&](HWND shown) {
                 dialog = shown;
                 HWND input = GetDlgItem(dialog, IDC_INPUT);
                 EXPECT_EQ(Narrow(TextOf(input)), dir_ + "S000.000");
                 EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMPARE),
                           BST_CHECKED);
                 EXPECT_EQ(SendMessageW(input, EM_GETLIMITTEXT, 0, 0), 548);
                 EXPECT_EQ(AccessibleName(input), "Input File(s):");
                 EXPECT_EQ(AccessibleName(GetDlgItem(dialog, IDC_OUTPUT)),
                           "Output File(s):");
                 EXPECT_EQ(GetNextDlgTabItem(dialog, input, FALSE),
                           GetDlgItem(dialog, IDC_INPUT_BROWSE));
                 EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_OUTPUT));
                 Type(GetFocus(), "\"" + dir_ + "S000.000\"");
                 PostMessageW(GetFocus(), WM_SYSCHAR, L'i', 1 << 29);  // Alt+I
               }),
      {[&] { return GetFocus() == GetDlgItem(dialog, IDC_INPUT); },
       [] { PostKey(GetFocus(), VK_RETURN); }},
  }));
  EXPECT_EQ(PaneText(), dir_ + "S000.000 compared with " + dir_ +
                            "S000.000\r\n1 file(s) compared.");
  // The caret is at the start, where a screen reader begins to read.
  EXPECT_EQ(SendMessageW(Shell().log_pane, EM_GETSEL, 0, 0), 0);
}

// The program's own entry: registration, start and message loop, ending
// with the quit code; a start-up error in its box, then status 0. The
// atom that marks a running copy is held while it starts, and released
// only if this copy added it.
TEST_F(Win32ShellTest, ShellMainLoopsAndReportsStartUpErrors) {
  auto run_program = [&] {
    return ShellMain(GetModuleHandleW(nullptr), SW_SHOWNORMAL,
                     L"quorlith-gui.exe a b c d", fs_);
  };
  ATOM other = GlobalAddAtomW(L"quorlith 1");
  ASSERT_TRUE(UnregisterClassW(L"OrvSetClass", GetModuleHandleW(nullptr)));
  PostQuitMessage(7);
  EXPECT_EQ(run_program(), 7);
  EXPECT_EQ(PaneText().rfind("Usage: quorlith", 0), 0u);  // it started
  EXPECT_EQ(GlobalFindAtomW(L"quorlith 1"), other);
  GlobalDeleteAtom(other);
  Close();

  Shell().error_box = nullptr;
  // The class is registered already; then it registers, but there is no
  // memory for the log.
  for (const wchar_t* error :
       {L"Error creating window class", L"Not enough memory"}) {
    if (error[0] == L'N') {
      ASSERT_TRUE(UnregisterClassW(L"OrvSetClass", GetModuleHandleW(nullptr)));
      Shell().allocate_log = [] { return std::unique_ptr<LogBuffer>(); };
    }
    int status = -1;
    EXPECT_TRUE(Play({
        {[] { return true; }, [&] { status = run_program(); }},
        OnDialog(L"Initialization error",
                 [&](HWND box) {
                   EXPECT_NE(FindWindowExW(box, nullptr, L"Static", error),
                             nullptr);
                   EXPECT_NE(GlobalFindAtomW(L"quorlith 1"), 0);
                   PostMessageW(box, WM_COMMAND, IDOK, 0);
                 }),
    }));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(GlobalFindAtomW(L"quorlith 1"), 0);
  }
}

// The settings editor from the keyboard: find and edit a setting in
// controls named by their labels, a value refused with the focus kept, a
// name picked, the editor's own keys and commands, and a question before
// changes are lost.
TEST_F(Win32ShellTest, SettingsEditorFromTheKeyboard) {
  Write("A.000");
  Write("B.000", SetFileBuilder().SetWord(BlockId::kKeyboard, 4, 33).Bytes());
  int answer = IDCANCEL;
  EditorHooks().choose_file = [&](HWND, const wchar_t*, bool) {
    return dir_ + "B.000";
  };
  EditorHooks().ask_unsaved = [&](HWND, const std::wstring&) { return answer; };
  std::u16string error;
  HWND editor = OpenSettingsEditor(fs_, dir_ + "A.000", nullptr, error);
  ASSERT_NE(editor, nullptr);
  HWND tree = GetDlgItem(editor, IDC_SETTINGS_TREE);
  HWND edit = GetDlgItem(editor, IDC_VALUE_EDIT);
  EXPECT_EQ(GetFocus(), tree);
  EXPECT_EQ(AccessibleName(tree), "Settings");
  // An accelerator's command, as the message loop hands it over.
  auto command = [&](UINT id) {
    SendMessageW(editor, WM_COMMAND, MAKEWPARAM(id, 1), 0);
  };
  // Finds the setting, then edits it with `key`, which the message loop
  // first offers to the editor's keys (F2 is one), then to the tree.
  auto edit_setting = [&](const char* keyword, WPARAM key = VK_RETURN) {
    command(IDM_FIND);
    SetWindowTextW(GetFocus(), Widen(keyword).c_str());
    Send(GetFocus(), VK_RETURN);
    EXPECT_EQ(GetFocus(), tree);
    MSG message = {tree, WM_KEYDOWN, key, 1, 0, {}};
    if (!TranslateEditorMessage(message)) Send(tree, key);
  };

  edit_setting("key_rate");
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(AccessibleName(edit), "Key_Rate (a number from -32768 to 32767):");
  SetWindowTextW(edit, L"70000");
  Send(edit, VK_RETURN);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Narrow(TextOf(GetDlgItem(editor, IDC_VALUE_PROBLEM))),
            "Key_Rate: \"70000\" is out of range: -32768 to 32767");
  SetWindowTextW(edit, L"70");
  Send(edit, VK_RETURN);
  EXPECT_EQ(GetFocus(), tree);
  EXPECT_EQ(SelectedItem(tree), "Key_Rate = 70 (changed)");

  edit_setting("Key_Voice", VK_F2);
  HWND choice = GetFocus();
  EXPECT_EQ(GetDlgCtrlID(choice), IDC_VALUE_CHOICE);
  // Windows names a drop-down list by the label before it (Wine by its
  // text).
  EXPECT_EQ(TextOf(GetWindow(choice, GW_HWNDPREV)),
            L"Key_Voice (one of 8 names):");
  SendMessageW(choice, CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(L"On_with_Words"));
  Send(choice, VK_RETURN);
  EXPECT_EQ(SelectedItem(tree), "Key_Voice = On_with_Words (changed)");
  const std::pair<UINT, const char*> kCommands[] = {
      {IDM_UNDO, "Key_Voice = Off"},
      {IDM_COMPARE_WITH, "Key_Rate = 70 (changed; differs: 0 in B.000)"},
      {IDM_NEXT_DIFFERENCE, "Key_Pitch = 0 (differs: 33 in B.000)"},
      {IDM_TAKE_OTHER, "Key_Pitch = 33 (changed)"},
  };
  for (auto [id, selected] : kCommands) {
    command(id);
    EXPECT_EQ(SelectedItem(tree), selected) << id;
  }
  command(IDM_SAVE);
  EXPECT_EQ(TextOf(editor), L"A.000 - Settings");
  command(IDM_UNDO);  // unsaved again: closing asks

  SendMessageW(editor, WM_CLOSE, 0, 0);  // cancelled
  EXPECT_TRUE(IsWindow(editor));
  answer = IDNO;
  SendMessageW(editor, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(editor));
}

}  // namespace
}  // namespace quorlith::win32
