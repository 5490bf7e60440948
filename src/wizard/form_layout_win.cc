#include "wizard/form_layout_win.h"

#include <richedit.h>

namespace xa {
namespace {

using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// The height of a line of text in `font`, in pixels; 0 when the font cannot be measured.
int LineHeight(HFONT font) {
  HDC screen = GetDC(nullptr);
  if (!screen)
    return 0;
  TEXTMETRICW metrics{};
  HGDIOBJ old = SelectObject(screen, font);
  const BOOL measured = GetTextMetricsW(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return measured ? static_cast<int>(metrics.tmHeight) : 0;
}

// The font of character height `height` at kDesignDpi for `dpi`: the height scaled and rounded
// down, and lower still while a line of it is higher than a line at kDesignDpi scaled, since
// the rounding in a font's metrics is no linear scale and the boxes of word-wrapped labels hold
// whole lines with little to spare.
TGdiObject<HFONT> FontForDpi(const wchar_t* face, int height, bool bold, UINT dpi) {
  const int design_line = LineHeight(CreatePixelFont(face, height, bold).Get());
  const int most = design_line * static_cast<int>(dpi) / static_cast<int>(kDesignDpi);
  int scaled = height * static_cast<int>(dpi) / static_cast<int>(kDesignDpi);
  TGdiObject<HFONT> font = CreatePixelFont(face, scaled, bold);
  while (scaled > 1 && LineHeight(font.Get()) > most)
    font = CreatePixelFont(face, --scaled, bold);
  return font;
}

}  // namespace

HFONT TFormFonts::Get(TFormFont role) const {
  switch (role) {
    case TFormFont::kForm:
    case TFormFont::kRichText:
      return Form.Get();
    case TFormFont::kTitle:
      return Title.Get();
    case TFormFont::kHeading:
      return Heading.Get();
    case TFormFont::kNone:
      break;
  }
  return nullptr;
}

TFormFonts CreateFormFonts(UINT dpi) {
  TFormFonts fonts;
  fonts.Form = FontForDpi(L"MS Sans Serif", 11, false, dpi);
  fonts.Title = FontForDpi(L"Arial", 16, true, dpi);
  fonts.Heading = FontForDpi(L"Arial", 21, false, dpi);
  return fonts;
}

RECT ScaleBox(const TDesignBox& box, UINT dpi) {
  return RECT{ScaleForDpi(box.X, dpi), ScaleForDpi(box.Y, dpi), ScaleForDpi(box.X + box.Width, dpi),
              ScaleForDpi(box.Y + box.Height, dpi)};
}

void TFormLayout::Add(HWND window, const TDesignBox& box, TFormFont font) {
  if (window)
    entries_.push_back({window, box, font});
}

void TFormLayout::Apply(UINT dpi, const TFormFonts& fonts) const {
  for (const TEntry& entry : entries_) {
    if (entry.Font == TFormFont::kRichText) {
      // Zoom 0/0 is none at all.
      const bool zoom = dpi != created_dpi_;
      SendMessageW(entry.Window, EM_SETZOOM, zoom ? dpi : 0, zoom ? created_dpi_ : 0);
    } else if (entry.Font != TFormFont::kNone) {
      SendMessageW(entry.Window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(entry.Font)),
                   FALSE);
    }
    const RECT box = ScaleBox(entry.Box, dpi);
    SetWindowPos(entry.Window, nullptr, box.left, box.top, box.right - box.left,
                 box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TFormLayout::Move(HWND window, const TDesignBox& box, UINT dpi) {
  for (TEntry& entry : entries_) {
    if (entry.Window != window)
      continue;
    entry.Box = box;
    const RECT place = ScaleBox(box, dpi);
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

const TDesignBox* TFormLayout::DesignBox(HWND window) const {
  for (const TEntry& entry : entries_) {
    if (entry.Window == window)
      return &entry.Box;
  }
  return nullptr;
}

SIZE WindowSizeForDpi(int client_width, int client_height, DWORD style, DWORD ex_style, UINT dpi) {
  static const AdjustForDpiFunction adjust_for_dpi =
      User32Entry<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, ScaleForDpi(client_width, dpi), ScaleForDpi(client_height, dpi)};
  if (!adjust_for_dpi || !adjust_for_dpi(&frame, style, FALSE, ex_style, dpi))
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace xa
