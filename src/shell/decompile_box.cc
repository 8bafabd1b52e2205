#include "shell/decompile_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorlith {
namespace {

// A field is taken whole: the field already stops at kMaxFieldLength
// characters, and cutting one more off what the user sees would run on a
// name nobody typed.
std::string ReadField(const QLineEdit* edit) {
  return QFile::encodeName(edit->text()).toStdString();
}

QLineEdit* NewField() {
  auto* edit = new QLineEdit;
  edit->setMaxLength(DecompileBox::kMaxFieldLength);
  return edit;
}

}  // namespace

DecompileBox::DecompileBox(QWidget* parent)
    : QDialog(parent), beep_(&QApplication::beep) {
  setWindowTitle(tr("Decompile"));

  input_ = NewField();
  auto* input_label = new QLabel(tr("&Input File(s):"));
  input_label->setBuddy(input_);
  output_ = NewField();
  auto* output_label = new QLabel(tr("&Output File(s):"));
  output_label->setBuddy(output_);
  compare_ = new QCheckBox(tr("&Compare Set Files"));

  ok_ = new QPushButton(tr("OK"));
  ok_->setDefault(true);
  ok_->setEnabled(false);
  cancel_ = new QPushButton(tr("Cancel"));
  connect(ok_, &QPushButton::clicked, this, &DecompileBox::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(input_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ok_->setEnabled(!text.isEmpty()); });

  auto* fields = new QVBoxLayout;
  fields->addWidget(input_label);
  fields->addWidget(input_);
  fields->addWidget(output_label);
  fields->addWidget(output_);
  fields->addWidget(compare_);
  fields->addStretch();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);

  setTabOrder(input_, output_);
  setTabOrder(output_, compare_);
  setTabOrder(compare_, ok_);
  setTabOrder(ok_, cancel_);
  input_->setMinimumWidth(240);
  input_->setFocus();
}

DecompileRequest DecompileBox::Request() const {
  DecompileRequest request;
  request.input = ReadField(input_);
  request.output = ReadField(output_);
  request.mode = RunModeFor(!request.output.empty(), compare_->isChecked());
  return request;
}

void DecompileBox::accept() {
  DecompileRequest request = Request();
  if (request.input.empty()) {
    beep_();
    input_->setFocus();
    return;
  }
  QDialog::accept();
  emit decompileRequested(request);
}

// QDialog lets Enter press only an enabled default button, so with the
// input empty Enter would do nothing at all; it chooses OK regardless.
void DecompileBox::keyPressEvent(QKeyEvent* event) {
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && event->modifiers() == Qt::NoModifier && !ok_->isEnabled()) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quorlith
