// Where the look-up pop-up goes: beside the pointer where the platform lets a
// program place its windows, centred on the screen where it does not.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace tavlex {

// The pop-up's rectangle inside available (the screen's area for windows),
// at most as large as available. With a pointer, its top left corner lies a
// little below and right of the pointer, moved left as far as the screen's
// edge needs, and above the pointer when there is no room below; without
// one, it is centred.
QRect PlacePopup(std::optional<QPoint> pointer, QSize size, const QRect& available);

}  // namespace tavlex
