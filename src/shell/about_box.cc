#include "shell/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "runs/command_line.h"

namespace quorlith {

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle(tr("About Quorlith"));

  auto* version = new QLabel(QString::fromLatin1(kVersionText));
  version->setAlignment(Qt::AlignHCenter);
  auto* product = new QLabel(tr("for Orvalen"));
  product->setAlignment(Qt::AlignHCenter);
  ok_ = new QPushButton(tr("OK"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addSpacing(12);
  layout->addWidget(version);
  layout->addWidget(product);
  layout->addStretch();
  layout->addWidget(ok_, 0, Qt::AlignHCenter);
  setFixedSize(sizeHint().expandedTo(QSize(280, 180)));
  ok_->setFocus();
}

// QDialog turns both Escape and a close request into reject().
void AboutBox::reject() {}

}  // namespace quorlith
