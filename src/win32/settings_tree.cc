#include "win32/settings_tree.h"

namespace quorlith::win32 {
namespace {

void FillChildren(HWND tree, const SettingsModel& model, std::size_t node,
                  HTREEITEM parent, std::vector<HTREEITEM>& items) {
  for (std::size_t child : model.Children(node)) {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = LPSTR_TEXTCALLBACKW;
    insert.item.lParam = static_cast<LPARAM>(child);
    insert.item.cChildren = SettingsTree()[child].leaf() ? 0 : 1;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(
        tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    items[child] = item;
    FillChildren(tree, model, child, item, items);
  }
}

}  // namespace

void FillSettingsTree(HWND tree, const SettingsModel& model,
                      std::vector<HTREEITEM>& items) {
  SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  items.assign(SettingsTree().size(), nullptr);
  FillChildren(tree, model, 0, TVI_ROOT, items);
  SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree, nullptr, TRUE);
}

std::optional<std::size_t> SelectedRow(HWND tree) {
  auto selected = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (selected == nullptr) return std::nullopt;
  TVITEMW item = {};
  item.mask = TVIF_PARAM;
  item.hItem = selected;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  const SettingsNode& node =
      SettingsTree()[static_cast<std::size_t>(item.lParam)];
  if (!node.leaf()) return std::nullopt;
  return node.row;
}

void SelectSettingsNode(HWND tree, const std::vector<HTREEITEM>& items,
                        std::size_t node) {
  if (node >= items.size() || items[node] == nullptr) return;
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET,
               reinterpret_cast<LPARAM>(items[node]));
  SendMessageW(tree, TVM_ENSUREVISIBLE, 0,
               reinterpret_cast<LPARAM>(items[node]));
}

std::wstring SettingsItemText(const SettingsModel& model, LPARAM node) {
  const SettingsNode& entry = SettingsTree()[static_cast<std::size_t>(node)];
  std::u16string text = entry.title;
  if (entry.leaf()) {
    text = model.Line(entry.row);
    std::u16string marks = model.Marks(entry.row);
    if (!marks.empty()) text.append(u" (" + marks + u")");
  }
  return std::wstring(text.begin(), text.end());
}

}  // namespace quorlith::win32
