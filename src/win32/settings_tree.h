#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "shell/settings_model.h"

namespace quorlith::win32 {

// The settings editor's tree view: an item for each node the model shows,
// in report order, whose lParam is its node and whose text the tree asks
// for as it draws or is read (TVN_GETDISPINFO), so an edit only repaints.

// Fills `tree` anew; `items` maps each node to its item, null where not
// shown.
void FillSettingsTree(HWND tree, const SettingsModel& model,
                      std::vector<HTREEITEM>& items);
// The row of the selected setting; none for a section or group.
std::optional<std::size_t> SelectedRow(HWND tree);
// Selects the item of `node`, scrolled into view, if it is shown.
void SelectSettingsNode(HWND tree, const std::vector<HTREEITEM>& items,
                        std::size_t node);
// The text of the item for node `node`: a section's or group's title, or
// a setting's report line with its marks after it ("Key_Rate = 70
// (changed)").
std::wstring SettingsItemText(const SettingsModel& model, LPARAM node);

}  // namespace quorlith::win32
