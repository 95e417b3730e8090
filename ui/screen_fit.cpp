#include "ui/screen_fit.h"

#include <QScreen>
#include <algorithm>

namespace tavlex {
namespace {

// Room for a title bar and frame while the window manager's is unknown.
constexpr QMargins kDecorationAllowance(4, 28, 4, 4);

// The window manager's title bar and frame around window, never less than
// the allowance: before the window is shown they are unknown, and so they
// are while it shows for the first time (a dialog fitting itself in its show
// event), when the frame is no larger than the window or the platform's guess.
QMargins Decoration(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  return {std::max(inner.left() - frame.left(), kDecorationAllowance.left()),
          std::max(inner.top() - frame.top(), kDecorationAllowance.top()),
          std::max(frame.right() - inner.right(), kDecorationAllowance.right()),
          std::max(frame.bottom() - inner.bottom(), kDecorationAllowance.bottom())};
}

}  // namespace

QSize FitToScreen(const QWidget* window, QSize wanted) {
  const QScreen* screen = window->screen();
  if (!screen) return wanted;
  return wanted.boundedTo(screen->availableGeometry().marginsRemoved(Decoration(window)).size());
}

QRect FitOnScreen(const QWidget* window, const QRect& rect) {
  const QScreen* screen = window->screen();
  if (!screen) return rect;
  return KeepInside(rect, Decoration(window), screen->availableGeometry());
}

void RefitWhenFramed(QWidget* window, QMargins& known) {
  const QRect frame = window->frameGeometry(), inner = window->geometry();
  const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                         frame.right() - inner.right(), frame.bottom() - inner.bottom());
  if (margins.isNull() || margins == known || !window->isVisible()) return;
  known = margins;
  const QRect fitted = FitOnScreen(window, inner);
  if (fitted != inner) window->setGeometry(fitted);
}

QRect KeepInside(const QRect& rect, const QMargins& decoration, const QRect& available) {
  const QSize room = available.marginsRemoved(decoration).size();
  QRect outer = QRect(rect.topLeft(), rect.size().boundedTo(room)).marginsAdded(decoration);
  if (outer.right() > available.right()) outer.moveRight(available.right());
  if (outer.bottom() > available.bottom()) outer.moveBottom(available.bottom());
  if (outer.left() < available.left()) outer.moveLeft(available.left());
  if (outer.top() < available.top()) outer.moveTop(available.top());
  return outer.marginsRemoved(decoration);
}

}  // namespace tavlex
