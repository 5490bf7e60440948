#ifndef XA_WIZARD_PICTURE_WIN_H_
#define XA_WIZARD_PICTURE_WIN_H_

#include <windows.h>

#include <cstdint>
#include <vector>

#include "wizard/gdi_object_win.h"
#include "wizard/picture_decoder_win.h"
#include "wizard/window_dpi_win.h"

namespace xa {

// A 24-bit bitmap (DIB section) with the pixels of `picture`; empty when the picture has no
// pixels. Raises Exception when the picture holds fewer bytes than its size needs or the system
// refuses the bitmap.
TGdiObject<HBITMAP> CreatePictureBitmap(const TPicture& picture);

// The width and height of `bitmap` (not owned) in pixels; zero for null.
SIZE PictureSize(HBITMAP bitmap) noexcept;

// Fills `area` of `dc` with black and draws `picture` (not owned; null: none) centred in it,
// unscaled and clipped to the area. A drawing the system refuses is left out, quietly.
void PaintCentered(HDC dc, const RECT& area, HBITMAP picture) noexcept;

// Draws `picture` (not owned) unscaled with its top-left corner at (x, y) of `dc`, leaving the
// background wherever the picture has the colour of its bottom-left pixel. A drawing the system
// refuses is left out, quietly.
void DrawTransparent(HDC dc, int x, int y, HBITMAP picture) noexcept;

// DrawTransparent with `picture` centred in `area`.
void DrawTransparentCentered(HDC dc, const RECT& area, HBITMAP picture) noexcept;

// Resource type of the program's own pictures: PNG files.
inline constexpr wchar_t kPictureResourceType[] = L"PNG";

// The scales, in percent of kDesignDpi, at which the program's pictures are drawn, smallest
// first. Variant `n` of picture resource `id` has the id `id + n * kPictureVariantStep`.
inline constexpr UINT kPictureScales[] = {100, 150, 200};
inline constexpr int kPictureVariantStep = 1000;

// The index in kPictureScales of the picture variant for a window at `dpi`: the largest scale
// that does not exceed the window's, so that a picture never overflows a box scaled from its
// size; the first below 100 %.
size_t PictureVariantFor(UINT dpi) noexcept;

// The bitmap of the program's picture resource `id` (type kPictureResourceType, decoded by
// DecodePng) for a window at `dpi`: the variant PictureVariantFor(dpi), or where that one is
// missing or does not decode, the next smaller one; empty when none of them loads.
TGdiObject<HBITMAP> LoadPictureResource(int id, UINT dpi);

// The bitmap of a banner picture given as JPEG file bytes, decoded by DecodeJpeg and resized
// smoothly (ResizePicture) by dpi / kDesignDpi; at kDesignDpi, or when the resized picture
// would pass 2^24 pixels, as the file gives it. Empty for empty or undecodable bytes, since the
// wizard goes on without a picture. Raises Exception only when the system refuses the bitmap.
TGdiObject<HBITMAP> LoadBannerBitmap(const std::vector<uint8_t>& jpeg, UINT dpi);

}  // namespace xa

#endif  // XA_WIZARD_PICTURE_WIN_H_
