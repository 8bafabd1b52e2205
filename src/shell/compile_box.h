#pragma once

#include <QDialog>

#include "runs/compile_run.h"

class QLineEdit;
class QPushButton;

namespace quorlith {

// The Compile dialog: the report, the base set file(s) (empty: the one
// the report's header names) and the set file or folder to write. OK is
// enabled while the report and output fields both hold text; accepting
// emits `compileRequested` and closes the dialog.
class CompileBox : public QDialog {
  Q_OBJECT

 public:
  explicit CompileBox(QWidget* parent = nullptr);

  CompileRequest Request() const;

  QLineEdit* ReportEdit() const { return report_; }
  QLineEdit* BaseEdit() const { return base_; }
  QLineEdit* OutputEdit() const { return output_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 signals:
  void compileRequested(const quorlith::CompileRequest& request);

 public slots:
  void accept() override;

 private:
  QLineEdit* report_;
  QLineEdit* base_;
  QLineEdit* output_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace quorlith
