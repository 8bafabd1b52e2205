#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <map>
#include <vector>

namespace quorlith {

// Each label's text with the field it names: what a screen reader speaks
// for the field and what its mnemonic reaches.
inline std::map<QString, QWidget*> Buddies(const QWidget& dialog) {
  std::map<QString, QWidget*> buddies;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    buddies[label->text()] = label->buddy();
  }
  return buddies;
}

// The first `count` widgets that Tab reaches, starting at `from` itself.
inline std::vector<const QWidget*> TabChain(const QWidget* from,
                                            std::size_t count) {
  std::vector<const QWidget*> chain;
  for (const QWidget* at = from; chain.size() < count;
       at = at->nextInFocusChain()) {
    if (at->focusPolicy() != Qt::NoFocus) chain.push_back(at);
  }
  return chain;
}

}  // namespace quorlith
