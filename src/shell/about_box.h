#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QPushButton;

namespace quorlith {

// What the About box asks an X11 window manager for, as the five words of
// its _MOTIF_WM_HINTS: a title and a border, no menu and no minimise,
// maximise or close button, and no function but moving.
std::array<std::uint32_t, 5> AboutBoxWindowManagerHints();

// The About box: names the program and its version and closes only with
// its OK button, so Escape and the window's close request do nothing.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);

  QPushButton* OkButton() const { return ok_; }

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* ok_;
};

}  // namespace quorlith
