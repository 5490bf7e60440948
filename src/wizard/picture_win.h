#ifndef XA_WIZARD_PICTURE_WIN_H_
#define XA_WIZARD_PICTURE_WIN_H_

#include <windows.h>

#include <cstdint>
#include <vector>

#include "wizard/gdi_object_win.h"
#include "wizard/picture_decoder_win.h"

namespace xa {

// A 24-bit bitmap (DIB section) with the pixels of `picture`; empty when the picture has no
// pixels. Raises Exception when the picture holds fewer bytes than its size needs or the system
// refuses the bitmap.
TGdiObject<HBITMAP> CreatePictureBitmap(const TPicture& picture);

// Fills `area` of `dc` with black and draws `picture` (not owned; null: none) centred in it,
// unscaled and clipped to the area. A drawing the system refuses is left out, quietly.
void PaintCentered(HDC dc, const RECT& area, HBITMAP picture) noexcept;

// Draws `picture` (not owned) unscaled with its top-left corner at (x, y) of `dc`, leaving the
// background wherever the picture has the colour of its bottom-left pixel. A drawing the system
// refuses is left out, quietly.
void DrawTransparent(HDC dc, int x, int y, HBITMAP picture) noexcept;

// Resource type of the program's own pictures: PNG files.
inline constexpr wchar_t kPictureResourceType[] = L"PNG";

// The bitmap of the program's picture resource `id` (type kPictureResourceType), decoded by
// DecodePng; empty when the program has no such resource or it does not decode.
TGdiObject<HBITMAP> LoadPictureResource(int id);

// The bitmap of a banner picture given as JPEG file bytes, decoded by DecodeJpeg; empty for
// empty or undecodable bytes, since the wizard goes on without a picture. Raises Exception only
// when the system refuses the bitmap.
TGdiObject<HBITMAP> LoadBannerBitmap(const std::vector<uint8_t>& jpeg);

}  // namespace xa

#endif  // XA_WIZARD_PICTURE_WIN_H_
