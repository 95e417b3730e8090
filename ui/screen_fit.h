// Window sizes on the desktop: a window opens at the size it wants, but
// never larger than the available area of the screen it is on.
#pragma once

#include <QSize>
#include <QWidget>

namespace tavlex {

// wanted, cut to the available area of window's screen (less room for the
// window manager's title bar, which a window that is not shown yet cannot measure).
QSize FitToScreen(const QWidget* window, QSize wanted);

}  // namespace tavlex
