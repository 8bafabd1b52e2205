#include "win32/main_window.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "runs/command_line.h"
#include "runs/win32_file_system.h"
#include "runs/win32_wide.h"
#include "setfile/set_file_builder.h"
#include "win32/resource.h"
#include "win32/settings_editor.h"
#include "win32/ui_testing.h"

namespace quorlith::win32 {
namespace {

class Win32ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    static const bool kRegistered =
        RegisterMainClass(GetModuleHandleW(nullptr)) != 0;
    ASSERT_TRUE(kRegistered);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = Narrow(temp) + "quorlith-gui-" +
           std::to_string(GetCurrentProcessId()) + "\\";
    std::filesystem::create_directories(Widen(dir_));
    SetCurrentDirectoryW(Widen(dir_).c_str());
    Shell().error_box = [this](UINT id) { error_boxes_.push_back(id); };
    Shell().allocate_log = nullptr;
  }

  void TearDown() override {
    Close();
    CoUninitialize();
    SetCurrentDirectoryW(L"C:\\");
    std::filesystem::remove_all(Widen(dir_));
  }

  void Write(const std::string& name, std::string_view bytes) {
    std::ofstream file(std::filesystem::path(Widen(dir_ + name)),
                       std::ios::binary);
    ASSERT_TRUE(file << bytes) << name;
  }

  void WriteSetFiles(int count) {
    std::vector<std::uint8_t> bytes = SetFileBuilder().Bytes();
    for (int i = 0; i < count; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "S%03d.000", i);
      Write(name, std::string(bytes.begin(), bytes.end()));
    }
  }

  // Destroys the main window and drops what it left in the queue, its
  // quit message included.
  void Close() {
    if (Shell().window) DestroyWindow(Shell().window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
  }

  bool Start(const std::string& arguments = {}) {
    std::wstring command_line = L"quorlith-gui.exe " + Widen(arguments);
    return InitInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL,
                        command_line.c_str(), fs_);
  }

  std::string PaneText() { return Narrow(TextOf(Shell().log_pane)); }

  // The program's entry as WinMain calls it; a usage text keeps its start
  // synchronous.
  int RunProgram() {
    return ShellMain(GetModuleHandleW(nullptr), SW_SHOWNORMAL,
                     L"quorlith-gui.exe a b c d", fs_);
  }

  // So that the next start registers the class itself.
  static bool UnregisterMainClass() {
    return UnregisterClassW(L"OrvSetClass", GetModuleHandleW(nullptr)) != 0;
  }

  bool DecompileGreyed() {
    return (GetMenuState(GetMenu(Shell().window), IDM_DECOMPILE, MF_BYCOMMAND) &
            MF_GRAYED) != 0;
  }

  Win32FileSystem fs_;
  std::string dir_;
  std::vector<UINT> error_boxes_;
};

TEST_F(Win32ShellTest, MainWindowAndItsMenu) {
  ASSERT_TRUE(Start("nothing.000"));
  HWND window = Shell().window;
  wchar_t class_name[32];
  GetClassNameW(window, class_name, 32);
  EXPECT_EQ(std::wstring_view(class_name), L"OrvSetClass");
  EXPECT_EQ(TextOf(window), L"Quorlith");
  LONG_PTR style = GetWindowLongPtrW(Shell().log_pane, GWL_STYLE);
  EXPECT_EQ(style & (ES_READONLY | ES_MULTILINE), ES_READONLY | ES_MULTILINE);
  const std::pair<int, UINT> kItems[] = {{0, IDM_DECOMPILE},
                                         {0, IDM_COMPILE},
                                         {0, IDM_EDIT_SET_FILE},
                                         {0, IDM_EXIT},
                                         {1, IDM_ABOUT}};
  std::vector<std::wstring> items;
  for (auto [popup, command] : kItems) {
    wchar_t text[32] = {};
    GetMenuStringW(GetSubMenu(GetMenu(window), popup), command, text, 32,
                   MF_BYCOMMAND);
    items.emplace_back(text);
  }
  EXPECT_EQ(items,
            (std::vector<std::wstring>{
                L"&Decompile...\tCtrl+O", L"&Compile...\tCtrl+B",
                L"&Edit Set File...\tCtrl+E", L"E&xit\tCtrl+Q", L"&About..."}));
  // The pane fills the client area below the summary at any size.
  SetWindowPos(window, nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOMOVE);
  RECT client, pane, summary;
  GetClientRect(window, &client);
  GetWindowRect(Shell().log_pane, &pane);
  GetWindowRect(Shell().summary, &summary);
  EXPECT_EQ(pane.right - pane.left, client.right);
  EXPECT_EQ(pane.bottom - pane.top + summary.bottom - summary.top,
            client.bottom);
  EXPECT_GT(summary.bottom - summary.top, 10);
  // Screen readers name both panes through Active Accessibility.
  EXPECT_EQ(AccessibleName(Shell().log_pane), "Progress log");
  EXPECT_EQ(AccessibleName(Shell().summary), "Summary");
  // The keys of the menu and of the log, as the accelerator table has them.
  ACCEL keys[8];
  int count = CopyAcceleratorTableW(Shell().keys, keys, 8);
  std::vector<std::pair<WORD, WORD>> table;
  for (int i = 0; i < count; ++i) {
    table.emplace_back(keys[i].key, keys[i].cmd);
    EXPECT_EQ(keys[i].fVirt & ~(FVIRTKEY | FNOINVERT),
              keys[i].key == VK_F8
                  ? (keys[i].cmd == IDM_NEXT_ERROR ? 0 : FSHIFT)
                  : FCONTROL);
  }
  EXPECT_EQ(table,
            (std::vector<std::pair<WORD, WORD>>{{'O', IDM_DECOMPILE},
                                                {'B', IDM_COMPILE},
                                                {'E', IDM_EDIT_SET_FILE},
                                                {'Q', IDM_EXIT},
                                                {VK_F8, IDM_NEXT_ERROR},
                                                {VK_F8, IDM_PREVIOUS_ERROR}}));
}

// Explorer shows a program's first icon group, the taskbar the window's
// own icons: both are APPICON, which holds each size they ask for.
TEST_F(Win32ShellTest, SharpIconFirstAndOnTheWindow) {
  std::vector<std::wstring> groups;
  EnumResourceNamesW(
      nullptr, RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
        reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(
            IS_INTRESOURCE(name) ? L"#" : name);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&groups));
  EXPECT_EQ(groups, (std::vector<std::wstring>{L"APPICON", L"ORVSET"}));
  // The group's entries: 6 bytes of header, then 14 a picture, whose
  // first byte is its side (0 for 256) and whose bit count is at 6.
  HRSRC found = FindResourceW(nullptr, L"APPICON", RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  auto* group = static_cast<const unsigned char*>(
      LockResource(LoadResource(nullptr, found)));
  std::vector<std::pair<int, int>> pictures;
  for (int i = 0; i < group[4]; ++i) {
    const unsigned char* entry = group + 6 + 14 * i;
    pictures.emplace_back(entry[0] == 0 ? 256 : entry[0], entry[6]);
  }
  EXPECT_EQ(pictures, (std::vector<std::pair<int, int>>{
                          {16, 32}, {32, 32}, {48, 32}, {256, 32}}));

  ASSERT_TRUE(Start("nothing.000"));
  auto big = reinterpret_cast<HICON>(
      SendMessageW(Shell().window, WM_GETICON, ICON_BIG, 0));
  auto small_icon = reinterpret_cast<HICON>(
      SendMessageW(Shell().window, WM_GETICON, ICON_SMALL, 0));
  EXPECT_NE(big, nullptr);
  EXPECT_NE(small_icon, nullptr);
  EXPECT_NE(big, reinterpret_cast<HICON>(
                     GetClassLongPtrW(Shell().window, GCLP_HICON)));
}

TEST_F(Win32ShellTest, DialogOpensAtStartForTheKeyboard) {
  ASSERT_TRUE(Start());
  HWND dialog = nullptr;
  Script script;
  script.OnDialog(L"Decompile", dialog, [&] {
    HWND input = GetDlgItem(dialog, IDC_INPUT);
    HWND ok = GetDlgItem(dialog, IDOK);
    EXPECT_EQ(GetFocus(), input);
    EXPECT_FALSE(IsWindowEnabled(ok));
    EXPECT_EQ(SendMessageW(input, EM_GETLIMITTEXT, 0, 0), 548);
    EXPECT_EQ(AccessibleNames(dialog, {IDC_INPUT, IDC_INPUT_BROWSE, IDC_OUTPUT,
                                       IDC_OUTPUT_BROWSE, IDC_COMPARE, IDOK}),
              (Names{"Input File(s):", "Browse...", "Output File(s):",
                     "Browse...", "Compare Set Files", "OK"}));
    // Each field's Browse... button comes next.
    EXPECT_EQ(GetNextDlgTabItem(dialog, input, FALSE),
              GetDlgItem(dialog, IDC_INPUT_BROWSE));
    EXPECT_EQ(
        GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDC_INPUT_BROWSE), FALSE),
        GetDlgItem(dialog, IDC_OUTPUT));
    Type(input, "x");
    EXPECT_TRUE(IsWindowEnabled(ok));
    SendMessageW(input, WM_CHAR, VK_BACK, 1);
    EXPECT_FALSE(IsWindowEnabled(ok));
    SetFocus(ok);
    PressAlt(ok, L'o');
  });
  script.Then(
      "Alt+O moves to the output field",
      [&] { return GetFocus() == GetDlgItem(dialog, IDC_OUTPUT); },
      [&] { PressAlt(GetFocus(), L'i'); });
  script.Then(
      "Alt+I moves to the input field",
      [&] { return GetFocus() == GetDlgItem(dialog, IDC_INPUT); },
      [&] {
        Type(GetFocus(), "S000");
        PressAlt(GetFocus(), L'c');
      });
  script.Then(
      "Alt+C ticks the box",
      [&] { return IsDlgButtonChecked(dialog, IDC_COMPARE) == BST_CHECKED; },
      [&] { PressKey(GetFocus(), VK_ESCAPE); });
  script.Then(
      "Escape closes it", [] { return !FindDialog(L"Decompile"); }, [] {});
  ASSERT_TRUE(script.Play());
  EXPECT_EQ(PaneText(), "");  // cancelled: nothing ran
}

TEST_F(Win32ShellTest, DecompileGreyedDuringARunAndExitEndsIt) {
  constexpr int kFiles = 300;
  WriteSetFiles(kFiles);
  ASSERT_TRUE(Start("none"));
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  RECT frame;
  GetWindowRect(Shell().window, &frame);
  SetCursorPos((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
  PostMessageW(Shell().window, WM_COMMAND, IDM_DECOMPILE, 0);
  HWND dialog = nullptr;
  Script script;
  script.OnDialog(L"Decompile", dialog, [&] {
    Type(GetDlgItem(dialog, IDC_INPUT), "*");
    PressKey(GetDlgItem(dialog, IDC_INPUT), VK_RETURN);
  });
  script.Then(
      "the run goes on", [] { return Shell().session->Running(); },
      [&] {
        EXPECT_TRUE(DecompileGreyed());
        EXPECT_EQ(GetCursor(), wait);  // the pointer is over the window
        // A posted command cannot start a second run either.
        SendMessageW(Shell().window, WM_COMMAND, IDM_DECOMPILE, 0);
        EXPECT_EQ(FindDialog(L"Decompile"), nullptr);
        EXPECT_TRUE(PaneText().empty());
        SendMessageW(Shell().window, WM_COMMAND, IDM_EXIT, 0);
      });
  ASSERT_TRUE(script.Play());
  EXPECT_NE(GetCursor(), wait);  // the cursor of before is back
  EXPECT_EQ(Shell().window, nullptr);
  EXPECT_FALSE(Shell().session->Running());
  EXPECT_EQ(Shell().session->Log(), nullptr);  // released with the window
  auto reports = std::count_if(
      std::filesystem::directory_iterator(Widen(dir_)), {},
      [](const auto& entry) { return entry.path().extension() == L".t00"; });
  EXPECT_GE(reports, 1);
  EXPECT_LT(reports, kFiles);
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(Win32ShellTest, AboutBoxClosesOnlyWithOk) {
  ASSERT_TRUE(Start("none"));
  HWND about = nullptr;
  Script script;
  PostMessageW(Shell().window, WM_COMMAND, IDM_ABOUT, 0);
  script.OnDialog(L"About Quorlith", about, [&] {
    EXPECT_EQ(GetWindowLongPtrW(about, GWL_STYLE) & WS_SYSMENU, 0);
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(about, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
      texts.push_back(TextOf(child));
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{Widen(kVersionText),
                                                L"for Orvalen", L"OK"}));
    PressKey(GetDlgItem(about, IDOK), VK_ESCAPE);
    SendMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageW(about, WM_CLOSE, 0, 0);
  });
  script.Then(
      "Escape and closing leave it open", [] { return true; },
      [&] {
        EXPECT_EQ(FindDialog(L"About Quorlith"), about);
        SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
      });
  script.Then(
      "OK closes it", [] { return !FindDialog(L"About Quorlith"); }, [] {});
  ASSERT_TRUE(script.Play());
  EXPECT_TRUE(IsWindow(Shell().window));
}

// The program's own command line is split as cmd users quote a folder:
// its closing quote is no escaped one.
TEST_F(Win32ShellTest, CommandLineRunsAtOnce) {
  WriteSetFiles(1);
  CreateDirectoryW(Widen(dir_ + "my sets").c_str(), nullptr);
  ASSERT_TRUE(Start("S000 \"my sets\\\""));
  EXPECT_EQ(PaneText(), dir_ +
                            "S000.000 decompiled to C:my sets\\S000.t00.\r\n"
                            "1 file(s) decompiled.");
  EXPECT_FALSE(DecompileGreyed());
  Script script;
  script.Then(
      "no dialog opens", [] { return true; },
      [] { EXPECT_EQ(FindDialog(L"Decompile"), nullptr); });
  ASSERT_TRUE(script.Play());
}

TEST_F(Win32ShellTest, CompileDialogListsEachProblemOnItsOwnLine) {
  WriteSetFiles(1);
  Write("BAD.txt", "; Menu 2 - Keyboard\nKey_Rate = x\nKey_Pitch = 1\n");
  ASSERT_TRUE(Start("nothing.000"));
  PostMessageW(Shell().window, WM_COMMAND, IDM_COMPILE, 0);
  HWND dialog = nullptr;
  Script script;
  script.OnDialog(L"Compile", dialog, [&] {
    HWND report = GetDlgItem(dialog, IDC_REPORT);
    EXPECT_EQ(GetFocus(), report);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    EXPECT_EQ(
        AccessibleNames(dialog, {IDC_REPORT, IDC_BASE, IDC_COMPILE_OUTPUT}),
        (Names{"Report:", "Base Set File(s):", "Output Set File:"}));
    Type(report, "BAD.txt");
    Type(GetDlgItem(dialog, IDC_BASE), "S000.000");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    Type(GetDlgItem(dialog, IDC_COMPILE_OUTPUT), "NEW.000");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    PressKey(report, VK_RETURN);
  });
  script.Then(
      "the log shows the problems",
      [&] { return !FindDialog(L"Compile") && !PaneText().empty(); }, [] {});
  ASSERT_TRUE(script.Play());
  EXPECT_EQ(PaneText(),
            "BAD.txt:2:12: Key_Rate: \"x\" is not a number\r\n"
            "1 problem in BAD.txt; " +
                dir_ + "NEW.000 not written");
  EXPECT_FALSE(std::filesystem::exists(Widen(dir_ + "NEW.000")));
}

// The text of the line the caret of `edit` is on.
std::wstring CaretLineText(HWND edit) {
  DWORD start = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  auto line = SendMessageW(edit, EM_LINEFROMCHAR, start, 0);
  wchar_t text[512] = {};
  *reinterpret_cast<WORD*>(text) = 511;
  auto length = SendMessageW(edit, EM_GETLINE, static_cast<WPARAM>(line),
                             reinterpret_cast<LPARAM>(text));
  return std::wstring(text, static_cast<std::size_t>(length));
}

// A key pressed with Control held, as the control reads it at once.
void PressControl(HWND target, UINT key) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_CONTROL] = 0x80;
  SetKeyboardState(state);
  SendMessageW(target, WM_KEYDOWN, key, 1);
  state[VK_CONTROL] = 0;
  SetKeyboardState(state);
}

// After a run the summary has the focus; from the log, F8 reaches the
// error, Enter opens a line's report and the context menu's command a
// comparison's changes, each in a viewer read from the keyboard alone.
TEST_F(Win32ShellTest, SummaryErrorsAndResultsFromTheKeyboard) {
  WriteSetFiles(1);
  Write("Z.000", "not a set file");
  ASSERT_TRUE(Start("*"));
  EXPECT_EQ(Narrow(TextOf(Shell().summary)),
            "Decompiled 1 file, 1 error. Report next to the set file.");
  EXPECT_EQ(GetFocus(), Shell().summary);
  HWND pane = Shell().log_pane;
  HWND viewer = nullptr;
  HWND text = nullptr;
  Script script;
  script.Then(
      "the summary has the focus", [] { return true; },
      [&] { PressKey(Shell().summary, VK_TAB); });
  script.Then(
      "Tab reaches the log", [&] { return GetFocus() == pane; },
      [&] { PressKey(pane, VK_F8); });
  script.Then(
      "F8 selects the error line",
      [&] { return SendMessageW(pane, EM_GETSEL, 0, 0) != 0; },
      [&] {
        EXPECT_EQ(CaretLineText(pane).rfind(L"Error: File ", 0), 0u);
        SendMessageW(pane, EM_SETSEL, 0, 0);
        PressKey(pane, VK_RETURN);
      });
  script.Then(
      "Enter opens the line's report",
      [&] {
        viewer = FindWindowW(kViewerClass, L"S000.t00 - Report");
        return viewer != nullptr;
      },
      [&] {
        text = GetFocus();
        EXPECT_EQ(GetParent(text), viewer);
        EXPECT_EQ(AccessibleName(text), "Report");
        EXPECT_EQ(CaretLineText(text), L"Screen_Voice = Off");
        PressKey(text, VK_F6);
      });
  script.Then(
      "F6 goes to the next section",
      [&] { return CaretLineText(text) != L"Screen_Voice = Off"; },
      [&] {
        EXPECT_EQ(CaretLineText(text), L"; Menu 1.6 - Punctuation");
        PressControl(text, 'F');
      });
  script.Then(
      "Ctrl+F opens the Find dialog",
      [] { return Shell().find_dialog != nullptr; },
      [&] {
        SetDlgItemTextW(Shell().find_dialog, 1152, L"key_rate");
        SendMessageW(Shell().find_dialog, WM_COMMAND, IDOK, 0);
      });
  script.Then(
      "a match closes it and is selected",
      [] { return Shell().find_dialog == nullptr; },
      [&] {
        EXPECT_EQ(GetFocus(), text);
        EXPECT_EQ(CaretLineText(text).rfind(L"Key_Rate = ", 0), 0u);
        PressKey(text, VK_ESCAPE);
      });
  script.Then(
      "Escape closes the viewer", [&] { return !IsWindow(viewer); }, [] {});
  ASSERT_TRUE(script.Play());
  Close();

  ASSERT_TRUE(Start("S000.000 S000.000 x"));
  SendMessageW(Shell().window, WM_COMMAND, IDM_OPEN_REPORT, 0);
  viewer = FindWindowW(kViewerClass, L"S000.000 \u2192 S000.000 - Changes");
  ASSERT_NE(viewer, nullptr);
  text = GetFocus();
  EXPECT_EQ(AccessibleName(text), "Changes");
  EXPECT_EQ(TextOf(text).rfind(L"No differences.", 0), 0u);
  Close();
}

// "--view" shows a set file's report and writes nothing, "--edit" opens it
// in the settings editor; "--compare-with" readies the Decompile dialog
// for the new files.
TEST_F(Win32ShellTest, ViewAndCompareWithAtStart) {
  WriteSetFiles(1);
  ASSERT_TRUE(Start("--view S000"));
  EXPECT_NE(FindWindowW(kViewerClass, L"S000.000 - Report"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(Widen(dir_ + "S000.t00")));
  Close();
  ASSERT_TRUE(Start("--edit S000"));
  EXPECT_NE(FindWindowW(kEditorClass, L"S000.000 - Settings"), nullptr);
  Close();
  ASSERT_TRUE(Start("--compare-with \"" + dir_ + "S000.000\""));
  HWND dialog = nullptr;
  Script script;
  script.OnDialog(L"Decompile", dialog, [&] {
    EXPECT_EQ(Narrow(TextOf(GetDlgItem(dialog, IDC_INPUT))), dir_ + "S000.000");
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMPARE), BST_CHECKED);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_OUTPUT));
    Type(GetDlgItem(dialog, IDC_OUTPUT), "\"" + dir_ + "S000.000\"");
    PressKey(GetFocus(), VK_RETURN);
  });
  script.Then(
      "the quoted path compares",
      [] { return !FindDialog(L"Decompile") && !Shell().session->Running(); },
      [] {});
  ASSERT_TRUE(script.Play());
  EXPECT_EQ(PaneText(), dir_ + "S000.000 compared with " + dir_ +
                            "S000.000\r\n1 file(s) compared.");
  // The caret is at the start, where a screen reader begins to read.
  EXPECT_EQ(SendMessageW(Shell().log_pane, EM_GETSEL, 0, 0), 0);
}

// The program's own entry: registration, start and message loop.
TEST_F(Win32ShellTest, ShellMainEndsWithTheQuitCode) {
  // The atom is held while the program starts, so an error box during
  // start-up finds it; it is gone once the program has started.
  std::vector<bool> atom_held;
  Shell().error_box = [&](UINT id) {
    error_boxes_.push_back(id);
    atom_held.push_back(GlobalFindAtomW(L"quorlith 1") != 0);
  };
  // The class is registered already, so this copy cannot register it.
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(error_boxes_, std::vector<UINT>{IDS_CLASS_ERROR});

  ASSERT_TRUE(UnregisterMainClass());
  error_boxes_.clear();
  // A message ahead of the quit: the loop must dispatch it and go on.
  PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
  PostQuitMessage(7);
  EXPECT_EQ(RunProgram(), 7);
  EXPECT_TRUE(error_boxes_.empty());
  EXPECT_EQ(PaneText().rfind("Usage: quorlith", 0), 0u);
  EXPECT_EQ(GlobalFindAtomW(L"quorlith 1"), 0);
  Close();

  ASSERT_TRUE(UnregisterMainClass());
  Shell().allocate_log = [] { return std::unique_ptr<LogBuffer>(); };
  PostQuitMessage(9);
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(error_boxes_, std::vector<UINT>{IDS_MEMORY_ERROR});
  EXPECT_EQ(atom_held, (std::vector<bool>{true, true}));
  EXPECT_EQ(GlobalFindAtomW(L"quorlith 1"), 0);
  Shell().allocate_log = nullptr;

  // An atom another copy holds is left to it.
  ATOM other = GlobalAddAtomW(L"quorlith 1");
  ASSERT_TRUE(UnregisterMainClass());
  PostQuitMessage(5);
  EXPECT_EQ(RunProgram(), 5);
  EXPECT_EQ(GlobalFindAtomW(L"quorlith 1"), other);
  GlobalDeleteAtom(other);
}

// Without a box of the test's, a start-up error has its own message box,
// and the program ends with status 0 once it is closed.
TEST_F(Win32ShellTest, StartUpErrorShowsItsBox) {
  auto start_and_close_box = [&](const wchar_t* message) {
    Shell().error_box = nullptr;
    int status = -1;
    HWND box = nullptr;
    Script script;
    script.Then(
        "the program starts", [] { return true; },
        [&] { status = RunProgram(); });
    script.OnDialog(L"Initialization error", box, [&] {
      EXPECT_NE(FindWindowExW(box, nullptr, L"Static", message), nullptr);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(script.Play());
    return status;
  };
  // The class is registered already.
  EXPECT_EQ(start_and_close_box(L"Error creating window class"), 0);
  // Registered, but no memory for the log.
  ASSERT_TRUE(UnregisterMainClass());
  Shell().allocate_log = [] { return std::unique_ptr<LogBuffer>(); };
  EXPECT_EQ(start_and_close_box(L"Not enough memory"), 0);
  Shell().allocate_log = nullptr;
}

}  // namespace
}  // namespace quorlith::win32
