#include "wizard/gdi_object_win.h"

#include "package/errors.h"

namespace xa {

TMemoryDC::TMemoryDC(HDC dc) : dc_(CreateCompatibleDC(dc)) {
  if (!dc_)
    throw Exception("Cannot create a memory device context");
}

TMemoryDC::~TMemoryDC() {
  if (original_)
    SelectObject(dc_, original_);
  DeleteDC(dc_);
}

void TMemoryDC::Select(HBITMAP bitmap) {
  HGDIOBJ previous = SelectObject(dc_, bitmap);
  if (!original_)
    original_ = previous;
}

TGdiObject<HFONT> CreatePixelFont(const wchar_t* face, int character_height_px, bool bold) {
  // A negative height asks for the character height rather than the cell height.
  HFONT font = CreateFontW(-character_height_px, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
  if (!font)
    throw Exception("Cannot create font");
  return TGdiObject<HFONT>(font);
}

}  // namespace xa
