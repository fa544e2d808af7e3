// The fixed distances of the control's layout, in twips (1/1440 inch).
#pragma once

namespace plotara {

// The page is the back buffer less this margin at its right and bottom.
inline constexpr float kPageMargin = 70;
// The page's outline runs this far inside the page's right and bottom edges.
inline constexpr float kPageOutlineInset = 80;
// A scratch picture made for an area is larger than the area by a millimetre and this much, so that
// rounding to pixels never cuts its last row or column.
inline constexpr float kScratchMargin = 100;
// The centre of a legend row's line and symbol sample lies this far left of its text.
inline constexpr float kLegendSampleOffset = 250;
// The horizontal scroll bar starts this far right of the read-out label.
inline constexpr float kScrollBarLabelGap = 100;
// No scroll bar is shorter than this, nor placed nearer the top or left edge of the control.
inline constexpr float kMinScrollBarExtent = 1000;
// The read-out label sits this far above the bottom of the client area.
inline constexpr float kLabelBottomGap = 5;

}  // namespace plotara
