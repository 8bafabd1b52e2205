#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorlith::win32 {

// The settings editor's list of the commands a value's text may hold: a
// standard list box after its label, beside the value's edit, whose
// chosen name goes into the edit rather than being typed.

// Fills `list` with `names`, the first chosen.
void FillCommandList(HWND list, const std::vector<std::u16string>& names);

// Puts the name chosen in `list` into `edit` in place of the word at the
// edit's caret (the end of its selection), the caret after the name, and
// gives `edit` the focus; false when no name is chosen.
bool PutChosenCommand(HWND list, HWND edit);

}  // namespace quorlith::win32
