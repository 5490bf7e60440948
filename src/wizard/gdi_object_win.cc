#include "wizard/gdi_object_win.h"

#include "package/errors.h"

namespace xa {

TMemoryDC::TMemoryDC(HDC dc) noexcept : dc_(CreateCompatibleDC(dc)) {}

TMemoryDC::~TMemoryDC() {
  if (!dc_)
    return;
  if (original_)
    SelectObject(dc_, original_);
  DeleteDC(dc_);
}

bool TMemoryDC::Select(HBITMAP bitmap) noexcept {
  if (!dc_)
    return false;
  HGDIOBJ previous = SelectObject(dc_, bitmap);
  if (!previous || previous == HGDI_ERROR)
    return false;
  if (!original_)
    original_ = previous;
  return true;
}

TGdiObject<HFONT> CreatePixelFont(const wchar_t* face, int character_height_px, bool bold) {
  // A negative height asks for the character height rather than the cell height.
  HFONT font = CreateFontW(-character_height_px, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
  if (!font)
    Raise<Exception>("Cannot create font");
  return TGdiObject<HFONT>(font);
}

}  // namespace xa
