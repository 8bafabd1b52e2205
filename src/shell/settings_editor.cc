#include "shell/settings_editor.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "report/keywords.h"
#include "shell/settings_items.h"

namespace quorlith {

namespace {

QString Text(std::u16string_view text) {
  return QString::fromStdU16String(std::u16string(text));
}

std::string PathOf(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

SettingsEditor::Answer AskUnsaved(QWidget* parent, const QString& text) {
  switch (QMessageBox::question(
      parent, SettingsEditor::tr("Settings"), text,
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
      QMessageBox::Save)) {
    case QMessageBox::Save:
      return SettingsEditor::Answer::kSave;
    case QMessageBox::Discard:
      return SettingsEditor::Answer::kDiscard;
    default:
      return SettingsEditor::Answer::kCancel;
  }
}

bool AskOverwrite(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, SettingsEditor::tr("Settings"), text,
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void ShowError(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, SettingsEditor::tr("Settings"), text);
}

// The label that tells why a value was refused is a notification to
// screen readers, which say one when it appears: the focus stays in the
// field, and the changes of a focused field's name or description that Qt
// reports are not read as text by every screen reader.
constexpr char kNotificationProperty[] = "quorlithNotification";

class NotificationLabel : public QAccessibleWidget {
 public:
  explicit NotificationLabel(QWidget* label)
      : QAccessibleWidget(label, QAccessible::Notification) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* NotificationFactory(const QString& key, QObject* object) {
  if (key == QLatin1String("QLabel") &&
      object->property(kNotificationProperty).toBool()) {
    return new NotificationLabel(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

SettingsEditor::SettingsEditor(FileSystem& fs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), fs_(fs) {
  setAttribute(Qt::WA_DeleteOnClose);
  dialogs_ = {ChooseFile, AskUnsaved, AskOverwrite, ShowError,
              &QApplication::beep};

  items_ = new SettingsItems(model_, this);
  tree_ = new QTreeView;
  tree_->setModel(items_);
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setAccessibleName(tr("Settings"));
  tree_->installEventFilter(this);
  // A section opened or closed from the keyboard stays the current item,
  // which a screen reader does not read again: what happened is told.
  auto tell_state = [this](const QModelIndex& index, const QString& state) {
    if (!tree_->hasFocus() || index != tree_->currentIndex()) return;
    Tell(index.data().toString() + u' ' + state);
  };
  connect(tree_, &QTreeView::expanded, this,
          [tell_state](const QModelIndex& index) {
            tell_state(index, tr("expanded"));
          });
  connect(tree_, &QTreeView::collapsed, this,
          [tell_state](const QModelIndex& index) {
            tell_state(index, tr("collapsed"));
          });
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { PrepareEdit(); });

  // The field a value is typed into, under its label: the keyword and
  // what it takes, which a screen reader says as the field's name.
  value_label_ = new QLabel;
  value_edit_ = new QLineEdit;
  // A list, not a drop-down box: screen readers say each name the arrow
  // keys reach in a list, where a closed box's new value went unsaid.
  value_choice_ = new QListWidget;
  value_edit_->installEventFilter(this);
  value_choice_->installEventFilter(this);
  // The commands a text may hold, chosen rather than typed; Enter or a
  // double click puts one in at the field's caret.
  commands_label_ = new QLabel(tr("&Commands:"));
  commands_ = new QListWidget;
  commands_label_->setBuddy(commands_);
  // Qt names a list by hand only, not by its buddy.
  commands_->setAccessibleName(tr("Commands:"));
  commands_->installEventFilter(this);
  connect(commands_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ChooseCommand(item); });
  static const bool kFactory = [] {
    QAccessible::installFactory(NotificationFactory);
    return true;
  }();
  (void)kFactory;
  problem_ = new QLabel;
  problem_->setProperty(kNotificationProperty, true);
  problem_->setWordWrap(true);
  problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  value_pane_ = new QWidget;
  auto* value_layout = new QVBoxLayout(value_pane_);
  value_layout->setContentsMargins(4, 4, 4, 4);
  value_layout->addWidget(value_label_);
  value_layout->addWidget(value_edit_);
  value_layout->addWidget(value_choice_);
  value_layout->addWidget(commands_label_);
  value_layout->addWidget(commands_);
  value_layout->addWidget(problem_);
  value_pane_->hide();

  // No mnemonic: Ctrl+F reaches the field, and Alt+F is the File menu's.
  find_label_ = new QLabel(tr("Find:"));
  find_ = new QLineEdit;
  find_label_->setBuddy(find_);
  find_->installEventFilter(this);
  auto* find_row = new QHBoxLayout;
  find_row->addWidget(find_label_);
  find_row->addWidget(find_, 1);
  find_label_->hide();
  find_->hide();

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_, 1);
  layout->addWidget(value_pane_);
  layout->addLayout(find_row);
  // What a command did where the focus stays put (a save, an undo), told
  // as the reason for a refused value is.
  status_ = new QLabel;
  status_->setProperty(kNotificationProperty, true);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  statusBar()->addWidget(status_, 1);
  status_->hide();  // until there is something to tell
  setCentralWidget(central);
  setFocusProxy(tree_);

  CreateActions();
  Refresh();
  resize(640, 560);
}

SettingsEditor::~SettingsEditor() = default;

void SettingsEditor::CreateActions() {
  auto add = [this](QMenu* menu, const QString& text, QKeySequence keys,
                    auto slot) {
    QAction* action = menu->addAction(text);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  QMenu* file = menuBar()->addMenu(tr("&File"));
  add(file, tr("&Open..."), QKeySequence::Open, [this] { Open(); });
  save_action_ = add(file, tr("&Save"), QKeySequence::Save, [this] { Save(); });
  add(file, tr("Save &As..."), QKeySequence::SaveAs, [this] { SaveAs(); });
  add(file, tr("Co&mpare With..."), {}, [this] { CompareWith(); });
  add(file, tr("&Close"), QKeySequence::Close, [this] { close(); });
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  undo_action_ =
      add(edit, tr("&Undo"), QKeySequence::Undo, [this] { Undo(false); });
  redo_action_ = add(edit, tr("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y),
                     [this] { Undo(true); });
  edit->addSeparator();
  add(edit, tr("&Edit Value"), QKeySequence(Qt::Key_F2),
      [this] { StartEdit(); });
  take_action_ = add(edit, tr("&Take Other File's Value"),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T),
                     [this] { TakeOther(); });
  edit->addSeparator();
  add(edit, tr("&Find..."), QKeySequence::Find, [this] { StartFind(); });
  add(edit, tr("Find &Next"), QKeySequence::FindNext,
      [this] { FindAgain(true); });
  add(edit, tr("Find &Previous"), QKeySequence::FindPrevious,
      [this] { FindAgain(false); });
  add(edit, tr("Next &Difference"), QKeySequence(Qt::Key_F8),
      [this] { StepDiffering(true); });
  add(edit, tr("Previous D&ifference"), QKeySequence(Qt::SHIFT | Qt::Key_F8),
      [this] { StepDiffering(false); });
  QMenu* view = menuBar()->addMenu(tr("&View"));
  changed_only_action_ = add(view, tr("&Changed Only"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                             [this](bool on) { SetChangedOnly(on); });
  changed_only_action_->setCheckable(true);
}

bool SettingsEditor::OpenFile(const QString& path) {
  if (!MayDiscard()) return false;
  std::u16string error;
  if (!model_.Open(fs_, PathOf(path), error)) {
    dialogs_.show_error(this, Text(error));
    return false;
  }
  EndEdit();
  items_->Reset();
  Refresh();
  tree_->setCurrentIndex(items_->index(0, 0, {}));
  return true;
}

std::optional<std::size_t> SettingsEditor::CurrentRow() const {
  const SettingsNode& node =
      SettingsTree()[SettingsItems::NodeOf(tree_->currentIndex())];
  if (!node.leaf()) return std::nullopt;
  return node.row;
}

void SettingsEditor::GoToRow(std::size_t row) {
  QModelIndex index = items_->IndexOf(NodeOfRow(row));
  if (!index.isValid()) return;
  tree_->scrollTo(index);
  tree_->setCurrentIndex(index);
}

void SettingsEditor::Refresh() {
  if (model_.ChangedOnly()) items_->Reset();
  tree_->viewport()->update();
  setWindowTitle(model_.IsOpen() ? Text(model_.WindowTitle()) : tr("Settings"));
  save_action_->setEnabled(model_.IsOpen());
  undo_action_->setEnabled(model_.CanUndo());
  redo_action_->setEnabled(model_.CanRedo());
  take_action_->setEnabled(model_.Comparing());
}

bool SettingsEditor::MayDiscard() {
  if (!model_.Modified()) return true;
  switch (dialogs_.ask_unsaved(
      this, tr("%1 has changes that are not saved. Save them?")
                .arg(Text(model_.FileName())))) {
    case Answer::kSave:
      return Save();
    case Answer::kDiscard:
      return true;
    case Answer::kCancel:
      break;
  }
  return false;
}

bool SettingsEditor::Save() {
  if (!model_.IsOpen()) return false;
  std::u16string error;
  SettingsModel::SaveResult result = model_.Save(fs_, false, error);
  if (result == SettingsModel::SaveResult::kChangedOnDisk &&
      dialogs_.ask_overwrite(this,
                             Text(error) + u' ' + tr("Save over it anyway?"))) {
    result = model_.Save(fs_, true, error);
  }
  if (result == SettingsModel::SaveResult::kFailed) {
    dialogs_.show_error(this, Text(error));
  }
  Refresh();
  if (result == SettingsModel::SaveResult::kSaved) {
    Tell(tr("Saved %1").arg(Text(model_.FileName())));
  }
  return result == SettingsModel::SaveResult::kSaved;
}

bool SettingsEditor::SaveAs() {
  if (!model_.IsOpen()) return false;
  QString path = dialogs_.choose_file(
      this, tr("Save Set File As"),
      QFile::decodeName(QByteArray::fromStdString(model_.path())), true);
  if (path.isEmpty()) return false;
  std::u16string error;
  if (model_.SaveAs(fs_, PathOf(path), error) !=
      SettingsModel::SaveResult::kSaved) {
    dialogs_.show_error(this, Text(error));
    return false;
  }
  Refresh();
  return true;
}

void SettingsEditor::Open() {
  QString path = dialogs_.choose_file(this, tr("Edit Set File"), {}, false);
  if (!path.isEmpty()) OpenFile(path);
}

void SettingsEditor::CompareWith() {
  if (!model_.IsOpen()) return;
  QString path = dialogs_.choose_file(this, tr("Compare With"), {}, false);
  if (path.isEmpty()) return;
  std::u16string error;
  if (!model_.CompareWith(fs_, PathOf(path), error)) {
    dialogs_.show_error(this, Text(error));
    return;
  }
  Refresh();
  StepDiffering(true);
}

void SettingsEditor::Undo(bool redo) {
  std::optional<std::size_t> row = redo ? model_.Redo() : model_.Undo();
  if (!row) {
    dialogs_.beep();
    return;
  }
  Refresh();
  FocusTreeOn(*row, redo ? tr("Redone: ") : tr("Undone: "));
}

void SettingsEditor::TakeOther() {
  std::optional<std::size_t> row = CurrentRow();
  if (!row || !model_.TakeOther(*row)) {
    dialogs_.beep();
    return;
  }
  Refresh();
  FocusTreeOn(*row, tr("Taken: "));
}

// A screen reader hears of the item the tree holds when the current item
// changes, not when the tree takes the focus back nor when an item's text
// changes: the current item is left for a moment, and taken again. Where
// the focus was on that item already (an undo), the change of its text
// goes unsaid, so `notice` and the new line are told instead.
void SettingsEditor::FocusTreeOn(std::size_t row, const QString& notice) {
  skip_retake_ = !tree_->hasFocus();
  // After an edit the field's focus has just fallen back to the tree:
  // only a command given on the tree (one with a notice) stays there.
  bool stays = !notice.isEmpty() && tree_->hasFocus() && CurrentRow() == row;
  tree_->setCurrentIndex({});
  tree_->setFocus();
  GoToRow(row);
  if (stays) Tell(notice + Text(model_.Line(row)));
}

void SettingsEditor::RetakeCurrent() {
  QModelIndex current = tree_->currentIndex();
  if (!tree_->hasFocus() || !current.isValid()) return;
  tree_->setCurrentIndex({});
  tree_->setCurrentIndex(current);
}

void SettingsEditor::Tell(const QString& text) {
  status_->hide();
  status_->setText(text);
  status_->show();
}

void SettingsEditor::StepDiffering(bool forward) {
  std::optional<std::size_t> from = CurrentRow();
  std::optional<std::size_t> row = model_.NextDiffering(
      from.value_or(forward ? Keywords::Get().size() - 1 : 0), forward);
  if (!row) {
    dialogs_.beep();
    return;
  }
  GoToRow(*row);
  tree_->setFocus();
}

void SettingsEditor::StartFind() {
  find_label_->show();
  find_->show();
  find_->selectAll();
  find_->setFocus();
}

void SettingsEditor::FindAgain(bool forward) {
  std::u16string needle = find_->text().toStdU16String();
  std::optional<std::size_t> from = CurrentRow();
  std::optional<std::size_t> row = model_.Find(
      needle, from.value_or(forward ? Keywords::Get().size() - 1 : 0), forward);
  if (!row) {
    dialogs_.beep();
    return;
  }
  find_label_->hide();
  find_->hide();
  GoToRow(*row);
  tree_->setFocus();
}

void SettingsEditor::SetChangedOnly(bool on) {
  std::optional<std::size_t> row = CurrentRow();
  model_.SetChangedOnly(on);
  items_->Reset();
  Refresh();
  if (row && model_.Shown(NodeOfRow(*row))) {
    GoToRow(*row);
  } else {
    tree_->setCurrentIndex(items_->index(0, 0, {}));
  }
  // An empty tree says nothing of itself.
  if (on && model_.Children(0).empty()) Tell(tr("No setting has changed"));
}

// The field is made ready as soon as a setting is current, long before
// Enter: a screen reader that hears of a field's value after it took the
// focus takes it for a field it knew and leaves out its name.
void SettingsEditor::PrepareEdit() {
  std::optional<std::size_t> row = CurrentRow();
  if (!row || value_pane_->isVisible()) return;
  editing_ = row;
  ValueEditor editor = EditorFor(*row);
  bool choice = editor.kind == ValueEditor::Kind::kChoice;
  QWidget* field = choice ? static_cast<QWidget*>(value_choice_) : value_edit_;
  value_edit_->setVisible(!choice);
  value_choice_->setVisible(choice);
  QString keyword = Text(Keywords::Get()[*row].keyword);
  value_label_->setText(tr("%1 (%2):").arg(keyword, Text(editor.hint)));
  value_label_->setBuddy(field);
  // The field is named by hand as well: Qt finds a buddy's text only
  // where there is one label for the field.
  field->setAccessibleName(value_label_->text());
  field->setAccessibleDescription({});
  problem_->clear();
  problem_->hide();
  std::u16string_view value = model_.Value(*row);
  // The list is filled only as it is shown: Qt marks a list's current
  // name focused even while the list is hidden, and a screen reader then
  // goes there.
  if (value_choice_->count() > 0) value_choice_->clear();
  if (commands_->count() > 0) commands_->clear();
  commands_label_->setVisible(!editor.commands.empty());
  commands_->setVisible(!editor.commands.empty());
  if (!choice) {
    // No limit of the field's own: a text too long is refused with the
    // reason, not cut short without a word.
    value_edit_->setText(Text(value));
  }
}

void SettingsEditor::FillChoices(std::size_t row) {
  ValueEditor editor = EditorFor(row);
  std::u16string_view value = model_.Value(row);
  value_choice_->clear();
  // A stored value that has no name shows as its number: it stays among
  // the choices, so that Enter keeps it.
  if (std::find(editor.choices.begin(), editor.choices.end(), value) ==
      editor.choices.end()) {
    value_choice_->addItem(Text(value));
  }
  for (const std::u16string& name : editor.choices) {
    value_choice_->addItem(Text(name));
  }
  QList<QListWidgetItem*> current =
      value_choice_->findItems(Text(value), Qt::MatchExactly);
  if (!current.isEmpty()) value_choice_->setCurrentItem(current.front());
}

void SettingsEditor::StartEdit() {
  std::optional<std::size_t> row = CurrentRow();
  if (!row) {
    dialogs_.beep();
    return;
  }
  if (editing_ != row) PrepareEdit();
  value_pane_->show();
  if (value_edit_->isVisibleTo(value_pane_)) {
    if (commands_->isVisibleTo(value_pane_)) {
      for (const std::u16string& name : EditorFor(*row).commands) {
        commands_->addItem(Text(name));
      }
    }
    value_edit_->setFocus();
    value_edit_->selectAll();
  } else {
    FillChoices(*row);
    value_choice_->setFocus();
  }
}

// Nothing is stored until the field's own Enter, so that its format
// reads the whole text as it does one typed. The field takes the focus
// before its text changes: a screen reader that hears of the change
// first takes the field for the one it knew, and says nothing of it.
void SettingsEditor::ChooseCommand(const QListWidgetItem* item) {
  if (item == nullptr) return;
  TextAtCaret put =
      PutWordAtCaret(value_edit_->text().toStdU16String(),
                     static_cast<std::size_t>(value_edit_->cursorPosition()),
                     item->text().toStdU16String());
  value_edit_->setFocus();
  value_edit_->setText(Text(put.text));
  value_edit_->setCursorPosition(static_cast<int>(put.caret));
}

void SettingsEditor::ApplyEdit() {
  if (!editing_) return;
  bool choice = value_choice_->isVisibleTo(value_pane_);
  QString text = !choice ? value_edit_->text()
                 : value_choice_->currentItem()
                     ? value_choice_->currentItem()->text()
                     : QString();
  ParseResult problem = model_.Set(*editing_, text.toStdU16String());
  if (problem) {
    // The reason beside the field, said as it appears (again for each
    // try) and kept as the field's description; the focus stays to try
    // again.
    problem_->hide();
    problem_->setText(Text(*problem));
    problem_->show();
    (choice ? static_cast<QWidget*>(value_choice_) : value_edit_)
        ->setAccessibleDescription(Text(*problem));
    dialogs_.beep();
    return;
  }
  std::size_t row = *editing_;
  EndEdit();
  Refresh();
  FocusTreeOn(row);
}

void SettingsEditor::EndEdit() {
  editing_.reset();
  value_pane_->hide();
  problem_->clear();
  PrepareEdit();
}

void SettingsEditor::closeEvent(QCloseEvent* event) {
  if (MayDiscard()) {
    event->accept();
  } else {
    event->ignore();
  }
}

// Enter on a setting edits it and on a section opens or closes it; in the
// field Enter applies and Escape cancels, as Escape does in the list of
// commands; in the find field Enter finds, Shift+Enter back, and Escape
// leaves it.
bool SettingsEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tree_ && event->type() == QEvent::FocusIn) {
    // A screen reader says only "tree" when the tree takes the focus;
    // the current item is said once it is taken again.
    if (!skip_retake_) QTimer::singleShot(0, this, [this] { RetakeCurrent(); });
    skip_retake_ = false;
  }
  if (event->type() != QEvent::KeyPress) {
    return QMainWindow::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (watched == tree_ && enter) {
    if (CurrentRow()) {
      StartEdit();
    } else {
      tree_->setExpanded(tree_->currentIndex(),
                         !tree_->isExpanded(tree_->currentIndex()));
    }
    return true;
  }
  if (watched == value_edit_ || watched == value_choice_ ||
      watched == commands_) {
    if (enter && watched != commands_) {
      ApplyEdit();
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      EndEdit();
      tree_->setFocus();
      return true;
    }
  }
  if (watched == find_) {
    if (enter) {
      FindAgain(!(key->modifiers() & Qt::ShiftModifier));
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      find_label_->hide();
      find_->hide();
      tree_->setFocus();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quorlith
