#pragma once

#include <QAbstractItemModel>
#include <cstddef>

#include "shell/settings_model.h"

namespace quorlith {

// The settings editor's tree as Qt's item views take it: an index's
// internal id is its node, and each node's rows are the children the
// model shows. A leaf's text is its report line, its description its
// marks ("changed; differs: ...").
class SettingsItems : public QAbstractItemModel {
 public:
  explicit SettingsItems(const SettingsModel& model, QObject* parent)
      : QAbstractItemModel(parent), model_(model) {}

  // The index of `node`; invalid for the root and a node not shown.
  QModelIndex IndexOf(std::size_t node) const;
  static std::size_t NodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<std::size_t>(index.internalId()) : 0;
  }
  // After the nodes shown changed.
  void Reset() {
    beginResetModel();
    endResetModel();
  }

  QModelIndex index(int row, int column,
                    const QModelIndex& parent) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex&) const override { return 1; }
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const SettingsModel& model_;
};

}  // namespace quorlith
