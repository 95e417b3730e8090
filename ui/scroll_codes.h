// The scroll codes that CEditor::Scroll takes. They keep the handheld
// platform's names and values, which is what the lookup view passes (SB_TOP
// after every new search) and what the scroll bar's actions are turned into.
#pragma once

namespace tavlex {

inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;
// Sent when a scroll bar interaction ends; like every code not listed above,
// Scroll leaves the position alone.
inline constexpr int SB_ENDSCROLL = 8;

// The code for an action of a QScrollBar (QAbstractSlider::SliderAction);
// SB_ENDSCROLL for an action that moves nothing. Dragging the thumb and the
// mouse wheel are SB_THUMBTRACK.
int ScrollCodeForAction(int action);

}  // namespace tavlex
