#include "shell/ok_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "shell/run_session.h"

namespace quorlith {

// Qt's own file dialog: the same on every desktop, and one that every
// control of is named for screen readers.
QString ChooseFile(QWidget* parent, const QString& title,
                   const QString& current, bool save) {
  QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
  return save ? QFileDialog::getSaveFileName(parent, title, current, {},
                                             nullptr, options)
              : QFileDialog::getOpenFileName(parent, title, current, {},
                                             nullptr, options);
}

std::string ReadField(const QLineEdit* edit) {
  return WithoutQuotes(QFile::encodeName(edit->text()).toStdString());
}

bool IsEnter(const QKeyEvent* event) {
  Qt::KeyboardModifiers others = event->modifiers() & ~Qt::KeypadModifier;
  return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
         others == Qt::NoModifier;
}

OkDialog::OkDialog(QWidget* parent)
    : QDialog(parent), beep_(&QApplication::beep), chooser_(ChooseFile) {
  ok_ = new QPushButton(tr("OK"));
  ok_->setDefault(true);
  ok_->setEnabled(false);
  cancel_ = new QPushButton(tr("Cancel"));
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QPushButton* OkDialog::NewBrowseButton(const QString& text, const QString& name,
                                       QLineEdit* field,
                                       std::function<bool()> save) {
  auto* button = new QPushButton(text);
  button->setAccessibleName(name);
  connect(button, &QPushButton::clicked, this, [this, name, field, save] {
    QString chosen = chooser_(this, name, field->text(), save());
    field->setFocus();
    if (!chosen.isEmpty()) field->setText(chosen);
  });
  return button;
}

// QDialog lets Enter press only an enabled default button, so with OK
// disabled Enter would do nothing at all; it chooses OK regardless, which
// beeps. Keypad Enter is Enter too.
void OkDialog::keyPressEvent(QKeyEvent* event) {
  if (IsEnter(event)) {
    if (ok_->isEnabled()) {
      ok_->click();
    } else {
      accept();
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

void OkDialog::showEvent(QShowEvent* event) {
  if (QWidget* main = parentWidget()) {
    main->window()->installEventFilter(this);
    CentreOver(main->window());
  }
  QDialog::showEvent(event);
}

// At start-up the window manager may place the main window only after the
// dialog opened over it; the dialog follows it there.
bool OkDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Move && isVisible() &&
      watched == parentWidget()->window()) {
    CentreOver(parentWidget()->window());
  }
  return QDialog::eventFilter(watched, event);
}

void OkDialog::CentreOver(const QWidget* main) {
  QRect frame = main->frameGeometry();
  move(frame.center() - QPoint(width() / 2, height() / 2));
}

}  // namespace quorlith
