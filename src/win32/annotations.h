#pragma once

#include <windows.h>

#include <string>

namespace quorlith::win32 {

// What screen readers are told beyond what the standard controls say,
// through Active Accessibility's dynamic annotation. Where the system
// offers none these do nothing, and what they would say is only shown.

// Marks a static text a live region, which screen readers say at once
// when told that it changed.
void MakeLiveRegion(HWND control);
void AnnounceLiveRegion(HWND control);

// Gives `control` the description `text`, which a screen reader says
// after its name; empty takes it away.
void SetDescription(HWND control, const std::wstring& text);

}  // namespace quorlith::win32
