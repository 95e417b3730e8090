#include "ui/scroll_codes.h"

#include <QAbstractSlider>

namespace tavlex {

int ScrollCodeForAction(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
      return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
      return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
      return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
      return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
      return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
      return SB_THUMBTRACK;
    default:
      return SB_ENDSCROLL;
  }
}

}  // namespace tavlex
