#ifndef XA_LINKLABEL_TEST_CANVAS_H_
#define XA_LINKLABEL_TEST_CANVAS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "linklabel/canvas.h"

namespace xa {

// One TextOut call as the layout made it.
struct DrawRecord {
  int32_t x;
  int32_t y;
  std::u16string text;
  TFontStyles style;
  TColor color;
};

// A deterministic surface for layout tests: every character is 6 pixels wide, 8 in bold and
// one more in italic, times `scale`; a line is 12 pixels high in the plain style and 16 in
// bold, so a line height measured in the wrong style shows. Records every draw.
class TestCanvas : public ICanvas {
 public:
  explicit TestCanvas(int32_t scale = 1) : scale_(scale) {}

  TFontStyles FontStyle() const override { return style_; }
  void SetFontStyle(TFontStyles style) override { style_ = style; }
  TColor FontColor() const override { return color_; }
  void SetFontColor(TColor color) override { color_ = color; }
  int32_t TextWidth(std::u16string_view text) override;
  int32_t TextHeight(std::u16string_view text) override;
  void TextOut(int32_t x, int32_t y, std::u16string_view text) override;

  // Width of one character in `style`.
  int32_t CharWidth(TFontStyles style) const;

  std::vector<DrawRecord> draws;

 private:
  int32_t scale_;
  TFontStyles style_;
  TColor color_ = 0;
};

// `s` as printable ASCII, other code units as \uXXXX; for test messages.
std::string Narrow(std::u16string_view s);

}  // namespace xa

#endif  // XA_LINKLABEL_TEST_CANVAS_H_
