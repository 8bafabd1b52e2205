#include "shell/about_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "runs/command_line.h"

#if QUORLITH_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace quorlith {
namespace {

// _MOTIF_WM_HINTS words and bits, as window managers read them.
constexpr std::uint32_t kHintsFunctions = 1 << 0;
constexpr std::uint32_t kHintsDecorations = 1 << 1;
constexpr std::uint32_t kFunctionMove = 1 << 2;
constexpr std::uint32_t kDecorationBorder = 1 << 1;
constexpr std::uint32_t kDecorationTitle = 1 << 3;

// Qt's window flags cannot say "title, but no close button": without a
// minimise, maximise or close flag it lets the window manager offer every
// function, and many then draw all three buttons. So the hints are set
// here, after Qt has set its own and before the window is mapped.
void AskForTitleOnly(QWidget* window) {
#if QUORLITH_HAVE_XCB
  // Not X11: the flags are all there is.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  constexpr char kName[] = "_MOTIF_WM_HINTS";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName),
      nullptr);
  if (atom == nullptr) return;
  std::array<std::uint32_t, 5> hints = AboutBoxWindowManagerHints();
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                      static_cast<xcb_window_t>(window->winId()), atom->atom,
                      atom->atom, 32, hints.size(), hints.data());
  std::free(atom);
  xcb_flush(connection);
#else
  (void)window;
#endif
}

}  // namespace

std::array<std::uint32_t, 5> AboutBoxWindowManagerHints() {
  return {kHintsFunctions | kHintsDecorations, kFunctionMove,
          kDecorationBorder | kDecorationTitle, 0, 0};
}

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle(tr("About Quorlith"));

  auto* version = new QLabel(QString::fromLatin1(kVersionText));
  version->setAlignment(Qt::AlignHCenter);
  auto* product = new QLabel(tr("for Orvalen"));
  product->setAlignment(Qt::AlignHCenter);
  // Screen readers skip short labels that belong to no control; as the
  // dialog's description both lines are read when it opens.
  setAccessibleDescription(version->text() + QLatin1Char('\n') +
                           product->text());
  ok_ = new QPushButton(tr("OK"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addSpacing(12);
  layout->addWidget(version);
  layout->addWidget(product);
  layout->addStretch();
  layout->addWidget(ok_, 0, Qt::AlignHCenter);
  setFixedSize(sizeHint().expandedTo(QSize(280, 180)));
  ok_->setFocus();
}

// QDialog turns both Escape and a close request into reject().
void AboutBox::reject() {}

void AboutBox::showEvent(QShowEvent* event) {
  AskForTitleOnly(this);
  QDialog::showEvent(event);
}

}  // namespace quorlith
