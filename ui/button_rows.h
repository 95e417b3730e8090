// Buttons in rows: as many in a row as its width holds, the way words wrap,
// so that a window of many buttons still fits a narrow (portrait) screen.
#pragma once

#include <cstddef>
#include <vector>

namespace tavlex {

// How many of the buttons, of these widths and in this order, go in each row
// of room pixels with spacing between neighbours. A button wider than the
// room has a row of its own; no buttons, no rows.
std::vector<size_t> ButtonRows(const std::vector<int>& widths, int spacing, int room);

}  // namespace tavlex
