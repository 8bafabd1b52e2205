#pragma once

#include <QDialog>

class QPushButton;

namespace quorlith {

// The About box: names the program and its version and closes only with
// its OK button, so Escape and the window's close request do nothing.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);

  QPushButton* OkButton() const { return ok_; }

 public slots:
  void reject() override;

 private:
  QPushButton* ok_;
};

}  // namespace quorlith
