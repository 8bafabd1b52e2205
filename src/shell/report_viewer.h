#pragma once

#include <QWidget>

#include "shell/viewer_text.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace quorlith {

// A window of its own that shows a report, or a comparison's changes,
// read-only with a caret, so a screen reader reads it line by line: the
// caret starts on the first setting, F6 and Shift+F6 go to the next and
// previous section title, Ctrl+F finds text (F3 and Shift+F3 again),
// Escape closes the window.
class ReportViewer : public QWidget {
  Q_OBJECT

 public:
  explicit ReportViewer(ViewerText view, QWidget* parent = nullptr);

  QPlainTextEdit* TextPane() const { return text_; }
  QLineEdit* FindEdit() const { return find_; }
  // The line the caret is on, counted from 0.
  int CaretLine() const;

  // For tests: replaces QApplication::beep.
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Moves the caret to the start of `line`, the line selected if asked:
  // see LineSelected.
  void GoToLine(std::size_t line, bool selected);
  void StepSection(bool forward);
  // Shows the find field, its text selected for a new search.
  void StartFind();
  // Selects the next (or previous) match after the caret, with the focus
  // back in the text; beeps when there is none.
  void FindAgain(bool forward);

  ViewerText view_;
  QPlainTextEdit* text_;
  QLabel* find_label_;
  QLineEdit* find_;
  std::function<void()> beep_;
};

}  // namespace quorlith
