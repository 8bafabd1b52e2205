#pragma once

#include "runs/compile_run.h"
#include "shell/ok_dialog.h"

class QLineEdit;
class QPushButton;

namespace quorlith {

// The Compile dialog: the report, the base set file(s) (empty: the one
// the report's header names) and the set file or folder to write. OK is
// enabled while the report and output fields both hold text; accepting
// emits `compileRequested` and closes the dialog, and Enter before then
// beeps.
class CompileBox : public OkDialog {
  Q_OBJECT

 public:
  explicit CompileBox(QWidget* parent = nullptr);

  CompileRequest Request() const;

  QLineEdit* ReportEdit() const { return report_; }
  QLineEdit* BaseEdit() const { return base_; }
  QLineEdit* OutputEdit() const { return output_; }
  // In the order of the fields.
  QList<QPushButton*> BrowseButtons() const { return browse_; }

 signals:
  void compileRequested(const quorlith::CompileRequest& request);

 public slots:
  void accept() override;

 private:
  QLineEdit* report_;
  QLineEdit* base_;
  QLineEdit* output_;
  QList<QPushButton*> browse_;
};

}  // namespace quorlith
