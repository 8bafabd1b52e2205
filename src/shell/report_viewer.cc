#include "shell/report_viewer.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

#include "shell/main_window.h"

namespace quorlith {

ReportViewer::ReportViewer(ViewerText view, QWidget* parent)
    : QWidget(parent, Qt::Window),
      view_(std::move(view)),
      beep_(&QApplication::beep) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromStdU16String(view_.title));

  text_ = new QPlainTextEdit;
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                 Qt::TextSelectableByKeyboard);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setAccessibleName(QString::fromStdU16String(view_.name));
  QString text = QString::fromStdU16String(view_.text);
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  text_->setPlainText(text);
  text_->installEventFilter(this);

  find_ = new QLineEdit;
  find_label_ = new QLabel(tr("&Find:"));
  find_label_->setBuddy(find_);
  find_->installEventFilter(this);
  auto* find_row = new QHBoxLayout;
  find_row->addWidget(find_label_);
  find_row->addWidget(find_, 1);
  find_label_->hide();
  find_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_, 1);
  layout->addLayout(find_row);

  auto add = [this](QKeySequence keys, auto slot) {
    auto* action = new QAction(this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
  };
  add(QKeySequence::Find, [this] { StartFind(); });
  add(QKeySequence::FindNext, [this] { FindAgain(true); });
  add(QKeySequence::FindPrevious, [this] { FindAgain(false); });
  add(QKeySequence(Qt::Key_F6), [this] { StepSection(true); });
  add(QKeySequence(Qt::SHIFT | Qt::Key_F6), [this] { StepSection(false); });
  add(QKeySequence::Close, [this] { close(); });

  GoToLine(view_.first_line, false);
  text_->setFocus();
  resize(720, 520);
}

int ReportViewer::CaretLine() const {
  return text_->textCursor().blockNumber();
}

void ReportViewer::GoToLine(std::size_t line, bool selected) {
  QTextBlock block =
      text_->document()->findBlockByNumber(static_cast<int>(line));
  if (!block.isValid()) return;
  text_->setTextCursor(selected ? LineSelected(text_, block.blockNumber())
                                : QTextCursor(block));
  text_->centerCursor();
}

void ReportViewer::StepSection(bool forward) {
  std::optional<std::size_t> line =
      NextSection(view_, static_cast<std::size_t>(CaretLine()), forward);
  if (line) {
    GoToLine(*line, true);
  } else {
    beep_();
  }
}

void ReportViewer::StartFind() {
  find_label_->show();
  find_->show();
  find_->selectAll();
  find_->setFocus();
}

void ReportViewer::FindAgain(bool forward) {
  std::u16string needle = find_->text().toStdU16String();
  QTextCursor cursor = text_->textCursor();
  // Forward from just past the match the caret stands on, back from its
  // start: the same match is never found twice in a row.
  std::size_t from = static_cast<std::size_t>(
      forward ? cursor.selectionStart() + (cursor.hasSelection() ? 1 : 0)
              : cursor.selectionStart());
  std::u16string all = text_->toPlainText().toStdU16String();
  std::optional<std::size_t> found = FindInText(all, needle, from, forward);
  if (!found) {
    beep_();
    return;
  }
  cursor.setPosition(static_cast<int>(*found));
  cursor.setPosition(static_cast<int>(*found + needle.size()),
                     QTextCursor::KeepAnchor);
  text_->setTextCursor(cursor);
  find_label_->hide();
  find_->hide();
  text_->setFocus();
}

// Enter in the find field searches forward, Shift+Enter back; Escape
// there puts the focus back in the text, and in the text closes the
// window.
bool ReportViewer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    return QWidget::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == find_) {
    bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter) {
      FindAgain(!(key->modifiers() & Qt::ShiftModifier));
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      find_label_->hide();
      find_->hide();
      text_->setFocus();
      return true;
    }
  } else if (watched == text_ && key->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quorlith
