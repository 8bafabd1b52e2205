#include "shell/settings_items.h"

#include <QApplication>
#include <QFont>
#include <QStyle>

namespace quorlith {
namespace {

QString Text(std::u16string_view text) {
  return QString::fromStdU16String(std::u16string(text));
}

}  // namespace

QModelIndex SettingsItems::IndexOf(std::size_t node) const {
  if (node == 0 || !model_.Shown(node)) return {};
  return createIndex(static_cast<int>(model_.IndexInParent(node)), 0,
                     static_cast<quintptr>(node));
}

QModelIndex SettingsItems::index(int row, int column,
                                 const QModelIndex& parent) const {
  const std::vector<std::size_t>& children = model_.Children(NodeOf(parent));
  if (column != 0 || row < 0 ||
      static_cast<std::size_t>(row) >= children.size()) {
    return {};
  }
  return createIndex(row, 0, static_cast<quintptr>(children[std::size_t(row)]));
}

QModelIndex SettingsItems::parent(const QModelIndex& index) const {
  return IndexOf(SettingsTree()[NodeOf(index)].parent);
}

int SettingsItems::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(model_.Children(NodeOf(parent)).size());
}

QVariant SettingsItems::data(const QModelIndex& index, int role) const {
  const SettingsNode& node = SettingsTree()[NodeOf(index)];
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return node.leaf() ? Text(model_.Line(node.row)) : Text(node.title);
    case Qt::AccessibleDescriptionRole:
    case Qt::ToolTipRole:
      return node.leaf() ? Text(model_.Marks(node.row)) : QVariant();
    case Qt::FontRole:
      if (node.leaf() && model_.Changed(node.row)) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::DecorationRole:
      // A mark beside a setting that differs from the file compared with;
      // its description says so to a screen reader.
      if (node.leaf() && model_.Differs(node.row)) {
        return QApplication::style()->standardIcon(
            QStyle::SP_MessageBoxInformation);
      }
      return {};
    default:
      return {};
  }
}

}  // namespace quorlith
