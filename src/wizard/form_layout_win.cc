#include "wizard/form_layout_win.h"

#include <richedit.h>

namespace xa {
namespace {

using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// Looked up at run time: before Windows 10 1607 the frame has the one size of the screen's
// resolution.
AdjustForDpiFunction AdjustWindowRectExForDpiEntry() noexcept {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32)
    return nullptr;
  return reinterpret_cast<AdjustForDpiFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "AdjustWindowRectExForDpi")));
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
  fonts.Form = CreatePixelFont(L"MS Sans Serif", ScaleForDpi(11, dpi), false);
  fonts.Title = CreatePixelFont(L"Arial", ScaleForDpi(16, dpi), true);
  fonts.Heading = CreatePixelFont(L"Arial", ScaleForDpi(21, dpi), false);
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

const TDesignBox* TFormLayout::DesignBox(HWND window) const {
  for (const TEntry& entry : entries_) {
    if (entry.Window == window)
      return &entry.Box;
  }
  return nullptr;
}

SIZE WindowSizeForDpi(int client_width, int client_height, DWORD style, DWORD ex_style, UINT dpi) {
  static const AdjustForDpiFunction adjust_for_dpi = AdjustWindowRectExForDpiEntry();
  RECT frame{0, 0, ScaleForDpi(client_width, dpi), ScaleForDpi(client_height, dpi)};
  if (!adjust_for_dpi || !adjust_for_dpi(&frame, style, FALSE, ex_style, dpi))
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace xa
