#ifndef XA_LINKLABEL_CANVAS_H_
#define XA_LINKLABEL_CANVAS_H_

#include <cstdint>
#include <string_view>

#include "linklabel/types.h"

namespace xa {

// The drawing surface the layout works on. Coordinates are device pixels.
class ICanvas {
 public:
  virtual ~ICanvas() = default;
  // Style of the current font.
  virtual TFontStyles FontStyle() const = 0;
  // Changes the style of the current font.
  virtual void SetFontStyle(TFontStyles style) = 0;
  // Colour of the current font.
  virtual TColor FontColor() const = 0;
  // Changes the colour of the current font.
  virtual void SetFontColor(TColor color) = 0;
  // Width of `text` in the current font.
  virtual int32_t TextWidth(std::u16string_view text) = 0;
  // Height of `text` in the current font.
  virtual int32_t TextHeight(std::u16string_view text) = 0;
  // Draws `text` with its top-left corner at (x, y), leaving the background untouched.
  virtual void TextOut(int32_t x, int32_t y, std::u16string_view text) = 0;
};

}  // namespace xa

#endif  // XA_LINKLABEL_CANVAS_H_
