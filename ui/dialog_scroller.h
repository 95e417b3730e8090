// DialogScroller: the scrolling arithmetic of a dialog whose controls may
// reach below its client area. It knows three numbers (the client height,
// how far the controls are scrolled up, and how tall they are) and turns a
// size change, a scroll code or a focused control into scroll bar settings
// and distances; CScrollDialog moves the widgets.
#pragma once

#include <QRect>
#include <optional>

namespace tavlex {

class DialogScroller {
 public:
  // The scroll bar runs from 0 to max; page is the thumb's size.
  struct Range {
    int max = 0;
    int page = 0;
    bool operator==(const Range&) const = default;
  };

  // Margin kept below the lowest control.
  static constexpr int kBottomMargin = 16;
  // How far from the client edge a control brought into view lands.
  static constexpr int kFocusMargin = 30;

  // At initialization: lowestBottom is the lowest bottom edge of the
  // controls, measured from the client top with nothing scrolled.
  void Measure(int lowestBottom);
  // A size change to clientHeight. A scroll offset beyond the new range is
  // brought back into it, so the controls never leave empty space below them.
  Range Resize(int clientHeight);
  Range range() const;

  // A scroll code of scroll_codes.h: how far the controls move up (negative:
  // down), or nothing when the code does not act at this position.
  std::optional<int> Scroll(int code, int position);

  // A wheel or a swipe: the controls move up by pixels (down when negative),
  // as far as they go; nothing when they are at that end already.
  std::optional<int> ScrollBy(int pixels);

  // Where the thumb goes to bring control into view (both rectangles in
  // client coordinates), given the bar's position and its maximum, the
  // furthest the controls scroll; nothing when the control is wholly visible.
  static std::optional<int> FocusTarget(const QRect& client, const QRect& control, int position, int max);

  int viewHeight() const { return viewHeight_; }
  int scrollOffset() const { return scrollOffset_; }
  int contentHeight() const { return contentHeight_; }

 private:
  int viewHeight_ = 0;
  int scrollOffset_ = 0;
  int contentHeight_ = 0;
};

}  // namespace tavlex
