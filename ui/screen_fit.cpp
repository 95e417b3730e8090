#include "ui/screen_fit.h"

#include <QScreen>

namespace tavlex {
namespace {

// Room for a title bar and frame while the window manager's is unknown.
constexpr QSize kDecorationAllowance(8, 32);

}  // namespace

QSize FitToScreen(const QWidget* window, QSize wanted) {
  const QScreen* screen = window->screen();
  if (!screen) return wanted;
  QSize decoration = window->frameGeometry().size() - window->geometry().size();
  if (!window->isVisible()) decoration = decoration.expandedTo(kDecorationAllowance);
  return wanted.boundedTo(screen->availableGeometry().size() - decoration);
}

}  // namespace tavlex
