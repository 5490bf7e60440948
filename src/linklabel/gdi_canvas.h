#ifndef XA_LINKLABEL_GDI_CANVAS_H_
#define XA_LINKLABEL_GDI_CANVAS_H_

#include <windows.h>

#include <array>

#include "linklabel/canvas.h"

namespace xa {

// The COLORREF of `color`; system colours (high byte 0xFF) are looked up.
COLORREF ColorToRgb(TColor color);

// A drawing surface over a device context, with one font in every style combination. Draws
// text with a transparent background. Restores the context's font when destroyed.
class TGdiCanvas : public ICanvas {
 public:
  // Draws on `dc` (not owned) with the face and size of `font` (null: the system GUI font).
  TGdiCanvas(HDC dc, HFONT font);
  ~TGdiCanvas() override;
  TGdiCanvas(const TGdiCanvas&) = delete;
  TGdiCanvas& operator=(const TGdiCanvas&) = delete;

  TFontStyles FontStyle() const override { return style_; }
  void SetFontStyle(TFontStyles style) override;
  TColor FontColor() const override { return color_; }
  void SetFontColor(TColor color) override { color_ = color; }
  int32_t TextWidth(std::u16string_view text) override;
  int32_t TextHeight(std::u16string_view text) override;
  void TextOut(int32_t x, int32_t y, std::u16string_view text) override;

 private:
  SIZE Extent(std::u16string_view text);

  HDC dc_;
  LOGFONTW base_{};
  std::array<HFONT, 16> fonts_{};
  HGDIOBJ saved_font_ = nullptr;
  TFontStyles style_;
  TColor color_ = 0;
};

}  // namespace xa

#endif  // XA_LINKLABEL_GDI_CANVAS_H_
