#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <optional>

#include "runs/file_system.h"
#include "shell/ok_dialog.h"
#include "shell/settings_model.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTreeView;

namespace quorlith {

class SettingsItems;

// The settings editor: a window of its own over one set file. A tree of
// the settings in report order, each leaf named by its report line; Enter
// or F2 edits the current setting in the field below the tree, labelled
// with its keyword and what it takes (a list of names, or a text its
// format reads, with the names of the commands it may hold in a list
// beside it, Enter on one putting it into the text), Enter applies and
// Escape cancels; a value the format refuses stays in the field with the
// reason beside it. Ctrl+F finds a keyword or value (F3, Shift+F3
// again), F8 and Shift+F8 step through the settings that differ from a
// file compared with, Ctrl+Z and Ctrl+Y undo and redo, Ctrl+S saves. All that
// is decided is the shared model's.
class SettingsEditor : public QMainWindow {
  Q_OBJECT

 public:
  explicit SettingsEditor(FileSystem& fs, QWidget* parent = nullptr);
  ~SettingsEditor() override;

  // Opens the set file `path`, asking first about unsaved changes; false
  // after a message box naming the file and the reason.
  bool OpenFile(const QString& path);

  const SettingsModel& Model() const { return model_; }
  QTreeView* Tree() const { return tree_; }
  QLineEdit* ValueEdit() const { return value_edit_; }
  QListWidget* ValueChoice() const { return value_choice_; }
  QListWidget* Commands() const { return commands_; }
  QLabel* ValueLabel() const { return value_label_; }
  QLabel* Problem() const { return problem_; }
  QLabel* Status() const { return status_; }
  QLineEdit* FindEdit() const { return find_; }
  // The row of the current setting, if a setting is current.
  std::optional<std::size_t> CurrentRow() const;
  // Makes the setting of `row` current, showing the tree down to it.
  void GoToRow(std::size_t row);

  // What the editor asks of the user outside its window: a file, whether
  // to save changes that would be lost, whether to write over a file
  // someone else changed; and its error boxes and beep. Tests replace
  // them.
  enum class Answer { kSave, kDiscard, kCancel };
  struct Dialogs {
    OkDialog::FileChooser choose_file;
    std::function<Answer(QWidget* parent, const QString& text)> ask_unsaved;
    std::function<bool(QWidget* parent, const QString& text)> ask_overwrite;
    std::function<void(QWidget* parent, const QString& text)> show_error;
    std::function<void()> beep;
  };
  Dialogs& dialogs() { return dialogs_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  // True when there is nothing unsaved, or the user saved or dropped it.
  bool MayDiscard();
  bool Save();
  bool SaveAs();
  void Open();
  void CompareWith();
  void Undo(bool redo);
  void TakeOther();
  void StepDiffering(bool forward);
  void StartFind();
  void FindAgain(bool forward);
  void SetChangedOnly(bool on);
  // Fills the field for the current setting, its value in it, while the
  // field is hidden; StartEdit shows it and gives it the focus.
  void PrepareEdit();
  void StartEdit();
  void FillChoices(std::size_t row);
  // Puts the command `item` names into the field at its caret, and gives
  // the field the focus back.
  void ChooseCommand(const QListWidgetItem* item);
  void ApplyEdit();
  void EndEdit();
  // After the model changed: the tree's texts, the title and the
  // commands that depend on it.
  void Refresh();
  // Puts the focus on the tree, the setting of `row` current; where it was
  // there already, tells `notice` and the setting's line.
  void FocusTreeOn(std::size_t row, const QString& notice = {});
  // Leaves the tree's current item and takes it again, so that a screen
  // reader says it.
  void RetakeCurrent();
  // Shows `text` in the status bar, said by screen readers as it appears.
  void Tell(const QString& text);

  FileSystem& fs_;
  Dialogs dialogs_;
  SettingsModel model_;
  SettingsItems* items_;
  QTreeView* tree_;
  QWidget* value_pane_;
  QLabel* value_label_;
  QLineEdit* value_edit_;
  QListWidget* value_choice_;
  QLabel* commands_label_;
  QListWidget* commands_;
  QLabel* problem_;
  QLabel* status_;
  QLabel* find_label_;
  QLineEdit* find_;
  std::optional<std::size_t> editing_;  // the row the field edits
  // FocusTreeOn says the item itself: the focus it gives the tree does
  // not take the item again.
  bool skip_retake_ = false;
  QAction* save_action_ = nullptr;
  QAction* undo_action_ = nullptr;
  QAction* redo_action_ = nullptr;
  QAction* changed_only_action_ = nullptr;
  QAction* take_action_ = nullptr;
};

}  // namespace quorlith
