#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "runs/run.h"
#include "shell/run_session.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quorlith {

// What the Decompile dialog asks for, handed to the run unchanged.
struct DecompileRequest {
  RunMode mode = RunMode::kDecompile;
  std::string input;
  std::string output;
};

// The Decompile dialog. OK is enabled only while the input field holds
// text; accepting it emits `decompileRequested` and closes the dialog.
// Enter with an empty input field beeps and leaves the focus there.
class DecompileBox : public QDialog {
  Q_OBJECT

 public:
  // Both fields hold at most this many characters.
  static constexpr int kMaxFieldLength = 548;

  explicit DecompileBox(QWidget* parent = nullptr);

  // The request the fields describe now.
  DecompileRequest Request() const;

  QLineEdit* InputEdit() const { return input_; }
  QLineEdit* OutputEdit() const { return output_; }
  QCheckBox* CompareBox() const { return compare_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // For tests: replaces QApplication::beep.
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

 signals:
  void decompileRequested(const quorlith::DecompileRequest& request);

 public slots:
  void accept() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<void()> beep_;
  QLineEdit* input_;
  QLineEdit* output_;
  QCheckBox* compare_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace quorlith
