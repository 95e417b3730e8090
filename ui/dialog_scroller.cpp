#include "ui/dialog_scroller.h"

#include <algorithm>

#include "ui/scroll_codes.h"

namespace tavlex {

void DialogScroller::Measure(int lowestBottom) {
  contentHeight_ = lowestBottom + kBottomMargin;
  scrollOffset_ = 0;
}

DialogScroller::Range DialogScroller::Resize(int clientHeight) {
  viewHeight_ = clientHeight;
  const Range result = range();
  scrollOffset_ = std::clamp(scrollOffset_, 0, result.max);
  return result;
}

DialogScroller::Range DialogScroller::range() const {
  const int overflow = viewHeight_ < contentHeight_ ? contentHeight_ - viewHeight_ : 0;
  return {overflow, overflow / 10};
}

std::optional<int> DialogScroller::Scroll(int code, int position) {
  const int maxOffset = contentHeight_ - viewHeight_;
  // A tenth of the overflow, but at least a pixel: an overflow under ten
  // pixels must still be reachable by line steps.
  const int lineStep = std::max(maxOffset / 10, 1);
  const int pageStep = viewHeight_ - kBottomMargin;
  int delta = 0;
  switch (code) {
    case SB_LINEUP:
      if (scrollOffset_ <= 0) return std::nullopt;
      delta = -std::min(lineStep, scrollOffset_);
      break;
    case SB_LINEDOWN:
      if (scrollOffset_ >= maxOffset) return std::nullopt;
      delta = std::min(lineStep, maxOffset - scrollOffset_);
      break;
    case SB_PAGEUP:
      if (scrollOffset_ <= 0) return std::nullopt;
      delta = -std::min(pageStep, scrollOffset_);
      break;
    case SB_PAGEDOWN:
      if (scrollOffset_ >= maxOffset) return std::nullopt;
      delta = std::min(pageStep, maxOffset - scrollOffset_);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      delta = position - scrollOffset_;
      break;
    default:  // SB_TOP, SB_BOTTOM, SB_ENDSCROLL
      return std::nullopt;
  }
  scrollOffset_ += delta;
  return delta;
}

std::optional<int> DialogScroller::ScrollBy(int pixels) {
  const int target = std::clamp(scrollOffset_ + pixels, 0, std::max(contentHeight_ - viewHeight_, 0));
  if (target == scrollOffset_) return std::nullopt;
  const int delta = target - scrollOffset_;
  scrollOffset_ = target;
  return delta;
}

std::optional<int> DialogScroller::FocusTarget(const QRect& client, const QRect& control, int position,
                                               int max) {
  if (client.intersected(control) == control) return std::nullopt;
  // Bottoms are exclusive here, as the handheld's rectangles have them.
  const int controlBottom = control.y() + control.height();
  const int clientBottom = client.y() + client.height();
  int target = 0;
  if (controlBottom > clientBottom) target = position + controlBottom - client.height() + kFocusMargin;
  if (control.y() < client.y()) target = position + control.y() - kFocusMargin;
  return std::clamp(target, 0, std::max(max, 0));
}

}  // namespace tavlex
