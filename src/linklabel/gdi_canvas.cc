#include "linklabel/gdi_canvas.h"

#include <climits>

#include "linklabel/wide_text.h"

namespace xa {
namespace {

int Length(std::u16string_view text) {
  return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
}

}  // namespace

COLORREF ColorToRgb(TColor color) {
  if ((color & 0xFF000000u) == 0xFF000000u)
    return GetSysColor(static_cast<int>(color & 0xFFu));
  return color & 0x00FFFFFFu;
}

TGdiCanvas::TGdiCanvas(HDC dc, HFONT font) : dc_(dc) {
  if (!font || GetObjectW(font, sizeof base_, &base_) == 0)
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof base_, &base_);
  SetFontStyle(TFontStyles());
  saved_font_ = SelectObject(dc_, fonts_[0]);
  SetBkMode(dc_, TRANSPARENT);
}

TGdiCanvas::~TGdiCanvas() {
  SelectObject(dc_, saved_font_);
  for (HFONT f : fonts_) {
    if (f)
      DeleteObject(f);
  }
}

void TGdiCanvas::SetFontStyle(TFontStyles style) {
  style_ = style;
  HFONT& font = fonts_[style.Bits() & 0x0F];
  if (!font) {
    LOGFONTW lf = base_;
    lf.lfWeight = style.Has(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style.Has(fsItalic);
    lf.lfUnderline = style.Has(fsUnderline);
    lf.lfStrikeOut = style.Has(fsStrikeOut);
    font = CreateFontIndirectW(&lf);
  }
  if (saved_font_)
    SelectObject(dc_, font);
}

SIZE TGdiCanvas::Extent(std::u16string_view text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc_, Wide(text), Length(text), &size);
  return size;
}

int32_t TGdiCanvas::TextWidth(std::u16string_view text) {
  return Extent(text).cx;
}

int32_t TGdiCanvas::TextHeight(std::u16string_view text) {
  return Extent(text).cy;
}

void TGdiCanvas::TextOut(int32_t x, int32_t y, std::u16string_view text) {
  SetTextColor(dc_, ColorToRgb(color_));
  ExtTextOutW(dc_, x, y, 0, nullptr, Wide(text), static_cast<UINT>(Length(text)), nullptr);
}

}  // namespace xa
