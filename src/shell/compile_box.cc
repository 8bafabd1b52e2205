#include "shell/compile_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/run_session.h"

namespace quorlith {

CompileBox::CompileBox(QWidget* parent) : OkDialog(parent) {
  setWindowTitle(tr("Compile"));
  auto* fields = new QVBoxLayout;
  QWidget* previous = nullptr;
  // Each field with its label, whose mnemonic moves the focus there and
  // whose text a screen reader speaks as the field's name, and its
  // Browse... button; the buttons' mnemonics avoid the labels' letters.
  auto field = [&](const QString& label_text, const QString& description,
                   const QString& browse_text, const QString& browse_name,
                   bool save) {
    auto* edit = new QLineEdit;
    edit->setMaxLength(kMaxFieldLength);
    edit->setAccessibleDescription(description);
    auto* label = new QLabel(label_text);
    label->setBuddy(edit);
    QPushButton* browse = NewBrowseButton(browse_text, browse_name, edit,
                                          [save] { return save; });
    browse_ << browse;
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    fields->addWidget(label);
    fields->addLayout(row);
    if (previous) setTabOrder(previous, edit);
    setTabOrder(edit, browse);
    previous = browse;
    return edit;
  };
  report_ = field(tr("&Report:"), tr("The report to compile, UTF-16 or UTF-8"),
                  tr("Bro&wse..."), tr("Browse for the report"), false);
  base_ = field(tr("&Base Set File(s):"),
                tr("Empty: the set file the report was made from"),
                tr("Brow&se..."), tr("Browse for the base set file"), false);
  output_ = field(tr("&Output Set File:"),
                  tr("A folder ending with a separator for several bases"),
                  tr("Brows&e..."), tr("Browse for the output set file"), true);
  fields->addStretch();

  auto update = [this] { ok_->setEnabled(Ready(Request())); };
  connect(report_, &QLineEdit::textChanged, this, update);
  connect(output_, &QLineEdit::textChanged, this, update);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);
  setTabOrder(previous, ok_);
  setTabOrder(ok_, cancel_);
  report_->setMinimumWidth(240);
  report_->setFocus();
}

CompileRequest CompileBox::Request() const {
  return {ReadField(report_), ReadField(base_), ReadField(output_)};
}

void CompileBox::accept() {
  if (!Ready(Request())) {
    Beep();
    return;
  }
  QDialog::accept();
  emit compileRequested(Request());
}

}  // namespace quorlith
