#include "shell/decompile_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorlith {
namespace {

// A field is taken whole: the field already stops at kMaxFieldLength
// characters, and cutting one more off what the user sees would run on a
// name nobody typed.
QLineEdit* NewField() {
  auto* edit = new QLineEdit;
  edit->setMaxLength(kMaxFieldLength);
  return edit;
}

QHBoxLayout* Row(QWidget* field, QWidget* button) {
  auto* row = new QHBoxLayout;
  row->addWidget(field, 1);
  row->addWidget(button);
  return row;
}

}  // namespace

DecompileBox::DecompileBox(QWidget* parent) : OkDialog(parent) {
  setWindowTitle(tr("Decompile"));

  input_ = NewField();
  auto* input_label = new QLabel(tr("&Input File(s):"));
  input_label->setBuddy(input_);
  output_ = NewField();
  auto* output_label = new QLabel(tr("&Output File(s):"));
  output_label->setBuddy(output_);
  compare_ = new QCheckBox(tr("&Compare Set Files"));
  // The new files of a comparison are read; reports are written.
  input_browse_ =
      NewBrowseButton(tr("Bro&wse..."), tr("Browse for input files"), input_,
                      [] { return false; });
  output_browse_ =
      NewBrowseButton(tr("Brow&se..."), tr("Browse for output files"), output_,
                      [this] { return !compare_->isChecked(); });
  connect(input_, &QLineEdit::textChanged, this,
          [this] { ok_->setEnabled(Ready(Request())); });

  auto* fields = new QVBoxLayout;
  fields->addWidget(input_label);
  fields->addLayout(Row(input_, input_browse_));
  fields->addWidget(output_label);
  fields->addLayout(Row(output_, output_browse_));
  fields->addWidget(compare_);
  fields->addStretch();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);

  setTabOrder(input_, input_browse_);
  setTabOrder(input_browse_, output_);
  setTabOrder(output_, output_browse_);
  setTabOrder(output_browse_, compare_);
  setTabOrder(compare_, ok_);
  setTabOrder(ok_, cancel_);
  input_->setMinimumWidth(240);
  input_->setFocus();
}

DecompileRequest DecompileBox::Request() const {
  return DecompileRequestFrom(ReadField(input_), ReadField(output_),
                              compare_->isChecked());
}

void DecompileBox::CompareWith(const QString& original) {
  input_->setText(original);
  compare_->setChecked(true);
  output_->setFocus();
}

void DecompileBox::accept() {
  DecompileRequest request = Request();
  if (!Ready(request)) {
    Beep();
    input_->setFocus();
    return;
  }
  QDialog::accept();
  emit decompileRequested(request);
}

}  // namespace quorlith
