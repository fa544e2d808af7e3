// The child elements of the control as plain state that a host shows or mirrors onto real widgets:
// the picture of Picture1, the read-out label Label1 and the scroll bars HScroll1 and VScroll1.
// Positions and sizes are in twips (1/1440 inch) of the control's client area.
#pragma once

#include <cstdint>
#include <string>

namespace plotara {

struct ChildElement {
  float Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = true;
};

struct LabelElement : ChildElement {
  std::string Caption;
};

struct ScrollBarElement : ChildElement {
  int32_t Value = 0;
  int32_t Max = 1000;
  int32_t LargeChange = 1;
  int32_t SmallChange = 1;
};

// A rectangle of a picture's pixels.
struct PixelRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The pointer shapes Picture1 asks a host to show (MousePointer).
namespace pointer {
inline constexpr int16_t Default = 0;
inline constexpr int16_t CrossHair = 2;
inline constexpr int16_t FourArrows = 5;
inline constexpr int16_t NorthSouth = 7;
inline constexpr int16_t WestEast = 9;
inline constexpr int16_t UpArrow = 10;
}  // namespace pointer

// The pixels of a picture: Height rows of Width pixels 0x00RRGGBB, StridePixels apart. Valid until the
// control next draws or changes size.
struct PictureView {
  const uint32_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
  int StridePixels = 0;
};

}  // namespace plotara
