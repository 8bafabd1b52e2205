#pragma once

// Drives the Win32 shell as a user does, for its tests: keys posted to the
// dialogs' own loops, steps played at a timer's ticks while dialogs and
// runs pump messages, and the names screen readers get.

#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runs/win32_wide.h"
#include "win32/main_window.h"

namespace quorlith::win32 {

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The visible dialog titled `title`, or null.
inline HWND FindDialog(const wchar_t* title) {
  HWND dialog = FindWindowW(L"#32770", title);
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

// Steps that a test takes as a user would, each once it is ready, checked
// at every tick of a thread timer. The timer's messages reach the modal
// loops of dialogs and the run's pump too, so a step can act while a
// dialog is open or a run goes on, as a user's keys do.
class Script {
 public:
  static constexpr DWORD kTimeoutMs = 30000;

  struct Step {
    std::string what;
    std::function<bool()> ready;
    std::function<void()> act;
  };

  void Then(std::string what, std::function<bool()> ready,
            std::function<void()> act) {
    steps_.push_back({std::move(what), std::move(ready), std::move(act)});
  }

  // A step for once the dialog titled `title` shows, kept in `dialog`.
  void OnDialog(const wchar_t* title, HWND& dialog, std::function<void()> act) {
    Then(
        Narrow(title) + " opens",
        [title, &dialog] { return (dialog = FindDialog(title)) != nullptr; },
        std::move(act));
  }

  // Pumps messages until every step is done; false, naming the step that
  // never became ready, after kTimeoutMs. Records a quit message.
  bool Play() {
    current_ = this;
    start_ = GetTickCount();
    UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    MSG message;
    while (next_ < steps_.size() && !timed_out_ &&
           GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (TranslateShellMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    KillTimer(nullptr, timer);
    current_ = nullptr;
    if (next_ < steps_.size()) {
      ADD_FAILURE() << (timed_out_ ? "never ready: " : "quit before: ")
                    << steps_[next_].what;
      return false;
    }
    return true;
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script* script = current_;
    if (script == nullptr || script->next_ >= script->steps_.size()) return;
    if (GetTickCount() - script->start_ > kTimeoutMs) {
      // Unblocks the test: every dialog and the window go.
      script->timed_out_ = true;
      EnumThreadWindows(GetCurrentThreadId(), EndEveryDialog, 0);
      if (Shell().window) DestroyWindow(Shell().window);
      return;
    }
    Step& step = script->steps_[script->next_];
    if (!step.ready()) return;
    ++script->next_;
    SCOPED_TRACE(step.what);
    step.act();
  }

  static BOOL CALLBACK EndEveryDialog(HWND window, LPARAM) {
    EndDialog(window, 0);
    return TRUE;
  }

  static inline Script* current_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  DWORD start_ = 0;
  bool timed_out_ = false;
};

// Keys as the dialog's own loop gets them: posted, not sent.
inline void PressKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 1u | 3u << 30);
}
inline void PressAlt(HWND target, wchar_t letter) {
  constexpr LPARAM kAltDown = 1 << 29;
  PostMessageW(target, WM_SYSCHAR, letter, kAltDown | 1);
}
inline void Type(HWND field, std::string_view text) {
  for (wchar_t unit : Widen(text)) SendMessageW(field, WM_CHAR, unit, 1);
}

// The name a screen reader gets for `control` through Active
// Accessibility, or a note saying why there is none.
inline std::string AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  // mingw-w64's IID_IAccessible links to a stub, not the GUID: __uuidof.
  if (FAILED(AccessibleObjectFromWindow(
          control, OBJID_CLIENT, __uuidof(IAccessible),
          reinterpret_cast<void**>(&accessible)))) {
    return "(no accessible object)";
  }
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  HRESULT result = accessible->get_accName(self, &name);
  accessible->Release();
  if (result != S_OK || name == nullptr) return "(no name)";
  std::string text = Narrow(name);
  SysFreeString(name);
  return text;
}

using Names = std::vector<std::string>;

// Each field follows its label, which names it for screen readers (Wine's
// Active Accessibility does so as Windows does).
inline Names AccessibleNames(HWND dialog, std::initializer_list<int> ids) {
  Names names;
  for (int id : ids) names.push_back(AccessibleName(GetDlgItem(dialog, id)));
  return names;
}

}  // namespace quorlith::win32
