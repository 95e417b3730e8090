#include "ui/button_rows.h"

namespace tavlex {

std::vector<size_t> ButtonRows(const std::vector<int>& widths, int spacing, int room) {
  std::vector<size_t> rows;
  long used = 0;  // the width of the row so far
  for (const int width : widths) {
    if (!rows.empty() && used + spacing + width <= room) {
      used += spacing + width;
      ++rows.back();
    } else {
      rows.push_back(1);
      used = width;
    }
  }
  return rows;
}

}  // namespace tavlex
