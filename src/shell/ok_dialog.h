#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;

namespace quorlith {

// What the Decompile and Compile dialogs share: a default OK button that
// is disabled until the fields are filled, where Enter (on the main
// keyboard or the keypad) beeps instead of doing nothing; Browse...
// buttons that fill a field from the file dialog; and a place centred
// over the main window.
class OkDialog : public QDialog {
  Q_OBJECT

 public:
  // How a Browse... button asks for a file: the dialog's title, the
  // field's text, and whether the file is one to write. Returns the path
  // chosen, or nothing when the user cancelled.
  using FileChooser =
      std::function<QString(QWidget* parent, const QString& title,
                            const QString& current, bool save)>;

  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // For tests: replace QApplication::beep and the file dialog.
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }
  void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

 protected:
  explicit OkDialog(QWidget* parent);

  // A "Browse..." button with the mnemonic letter `text` gives it that
  // fills `field`; a screen reader calls it `name`. `save` asks for a
  // file to write when it returns true.
  QPushButton* NewBrowseButton(const QString& text, const QString& name,
                               QLineEdit* field, std::function<bool()> save);

  void Beep() { beep_(); }
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  QPushButton* ok_;
  QPushButton* cancel_;

 private:
  void CentreOver(const QWidget* main);

  std::function<void()> beep_;
  FileChooser chooser_;
};

// Asks for a file in Qt's own file dialog titled `title`, starting at
// `current`: one to write when `save`. Empty when the user cancelled.
QString ChooseFile(QWidget* parent, const QString& title,
                   const QString& current, bool save);

// The field's text as a run takes it: bytes of the file system's
// encoding, without the quotes a pasted path may bring.
std::string ReadField(const QLineEdit* edit);

// True iff `event` is Enter from either part of the keyboard, alone.
bool IsEnter(const QKeyEvent* event);

}  // namespace quorlith
