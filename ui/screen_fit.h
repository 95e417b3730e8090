// Window sizes on the desktop: a window opens at the size it wants, but
// never larger than the available area of the screen it is on, and stays
// inside that area when the screen turns or shrinks.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace tavlex {

// wanted, cut to the available area of window's screen, less the window
// manager's title bar and frame (or room for them while they are unknown).
QSize FitToScreen(const QWidget* window, QSize wanted);

// The window's rectangle rect (without its title bar and frame), cut to the
// available area of its screen and moved into it, title bar included.
QRect FitOnScreen(const QWidget* window, const QRect& rect);

// Fits window on its screen again once its real title bar and frame are
// known, or when they change: known holds the margins it was fitted with
// last. Frameless (not yet framed) windows are left alone, and so is a
// window whose frame stayed, so that one moved by the user is not pulled back.
void RefitWhenFramed(QWidget* window, QMargins& known);

// The plain arithmetic of FitOnScreen: rect, framed by decoration, made to
// fit available; where it cannot, its top left corner stays in sight.
QRect KeepInside(const QRect& rect, const QMargins& decoration, const QRect& available);

}  // namespace tavlex
