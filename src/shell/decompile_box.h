#pragma once

#include <QString>
#include <string>

#include "runs/run.h"
#include "shell/ok_dialog.h"
#include "shell/run_session.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quorlith {

// The Decompile dialog. OK is enabled only while the input field holds
// text; accepting it emits `decompileRequested` and closes the dialog.
// Enter with an empty input field beeps and leaves the focus there.
class DecompileBox : public OkDialog {
  Q_OBJECT

 public:
  explicit DecompileBox(QWidget* parent = nullptr);

  // The request the fields describe now.
  DecompileRequest Request() const;

  // Readies a comparison of `original` with new files still to be named:
  // the input holds it, the box is ticked, the focus waits on the output.
  void CompareWith(const QString& original);

  QLineEdit* InputEdit() const { return input_; }
  QLineEdit* OutputEdit() const { return output_; }
  QCheckBox* CompareBox() const { return compare_; }
  QPushButton* InputBrowseButton() const { return input_browse_; }
  QPushButton* OutputBrowseButton() const { return output_browse_; }

 signals:
  void decompileRequested(const quorlith::DecompileRequest& request);

 public slots:
  void accept() override;

 private:
  QLineEdit* input_;
  QLineEdit* output_;
  QCheckBox* compare_;
  QPushButton* input_browse_;
  QPushButton* output_browse_;
};

}  // namespace quorlith
