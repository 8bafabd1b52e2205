#include "shell/compile_box.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/decompile_box.h"

namespace quorlith {
namespace {

std::string ReadField(const QLineEdit* edit) {
  return QFile::encodeName(edit->text()).toStdString();
}

}  // namespace

CompileBox::CompileBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Compile"));
  auto* fields = new QVBoxLayout;
  // Each field with its label, whose mnemonic moves the focus there and
  // whose text a screen reader speaks as the field's name.
  auto field = [&](const QString& label_text, const QString& description) {
    auto* edit = new QLineEdit;
    edit->setMaxLength(DecompileBox::kMaxFieldLength);
    edit->setAccessibleDescription(description);
    auto* label = new QLabel(label_text);
    label->setBuddy(edit);
    fields->addWidget(label);
    fields->addWidget(edit);
    return edit;
  };
  report_ = field(tr("&Report:"), tr("The report to compile, UTF-16 or UTF-8"));
  base_ = field(tr("&Base Set File(s):"),
                tr("Empty: the set file the report was made from"));
  output_ = field(tr("&Output Set File:"),
                  tr("A folder ending with a separator for several bases"));
  fields->addStretch();

  ok_ = new QPushButton(tr("OK"));
  ok_->setDefault(true);
  ok_->setEnabled(false);
  cancel_ = new QPushButton(tr("Cancel"));
  connect(ok_, &QPushButton::clicked, this, &CompileBox::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto update = [this] {
    ok_->setEnabled(!report_->text().isEmpty() && !output_->text().isEmpty());
  };
  connect(report_, &QLineEdit::textChanged, this, update);
  connect(output_, &QLineEdit::textChanged, this, update);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);
  setTabOrder(report_, base_);
  setTabOrder(base_, output_);
  setTabOrder(output_, ok_);
  setTabOrder(ok_, cancel_);
  report_->setMinimumWidth(240);
  report_->setFocus();
}

CompileRequest CompileBox::Request() const {
  return {ReadField(report_), ReadField(base_), ReadField(output_)};
}

void CompileBox::accept() {
  if (!ok_->isEnabled()) return;
  QDialog::accept();
  emit compileRequested(Request());
}

}  // namespace quorlith
