#include "wizard/picture_win.h"

#include <iterator>

#include "package/errors.h"
#include "shell/paint_scope_win.h"

namespace xa {
namespace {

// The most pixels a resized banner may have: many times the strip's at the largest scale.
constexpr uint64_t kMaxBannerPixels = 1 << 24;

// The bitmap of picture resource `id` exactly; empty when there is none or it does not decode.
TGdiObject<HBITMAP> LoadPictureVariant(int id) {
  const HMODULE program = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(id), kPictureResourceType);
  const HGLOBAL loaded = found ? LoadResource(program, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes)
    return {};
  try {
    return CreatePictureBitmap(
        DecodePng(static_cast<const uint8_t*>(bytes), SizeofResource(program, found)));
  } catch (const Exception&) {
    return {};
  }
}

}  // namespace

TGdiObject<HBITMAP> CreatePictureBitmap(const TPicture& picture) {
  if (picture.Width <= 0 || picture.Height <= 0)
    return {};
  const size_t width = static_cast<size_t>(picture.Width);
  const size_t height = static_cast<size_t>(picture.Height);
  if (picture.Rgb.size() < width * height * 3)
    Raise<Exception>("Invalid picture data");
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.Width;
  info.bmiHeader.biHeight = -picture.Height;  // top-down rows, as the picture holds them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap)
    Raise<Exception>("Cannot create a bitmap");
  const size_t stride = (width * 3 + 3) & ~size_t{3};
  auto* rows = static_cast<uint8_t*>(bits);
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* source = picture.Rgb.data() + y * width * 3;
    uint8_t* target = rows + y * stride;
    for (size_t x = 0; x < width * 3; x += 3) {
      target[x] = source[x + 2];
      target[x + 1] = source[x + 1];
      target[x + 2] = source[x];
    }
  }
  return bitmap;
}

SIZE PictureSize(HBITMAP bitmap) noexcept {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info))
    return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

void PaintCentered(HDC dc, const RECT& area, HBITMAP picture) noexcept {
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!picture)
    return;
  const SIZE size = PictureSize(picture);
  const int x = area.left + (area.right - area.left - size.cx) / 2;
  const int y = area.top + (area.bottom - area.top - size.cy) / 2;
  TMemoryDC source(dc);
  if (!source.Select(picture))
    return;
  const TSavedDC saved(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  BitBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
}

void DrawTransparent(HDC dc, int x, int y, HBITMAP picture) noexcept {
  const SIZE size = PictureSize(picture);
  if (size.cx <= 0 || size.cy <= 0)
    return;
  TMemoryDC source(dc);
  if (!source.Select(picture))
    return;
  const COLORREF transparent = GetPixel(source.Get(), 0, size.cy - 1);
  GdiTransparentBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, size.cx, size.cy, transparent);
}

void DrawTransparentCentered(HDC dc, const RECT& area, HBITMAP picture) noexcept {
  const SIZE size = PictureSize(picture);
  DrawTransparent(dc, area.left + (area.right - area.left - size.cx) / 2,
                  area.top + (area.bottom - area.top - size.cy) / 2, picture);
}

size_t PictureVariantFor(UINT dpi) noexcept {
  size_t variant = 0;
  for (size_t n = 1; n < std::size(kPictureScales); ++n) {
    if (uint64_t{dpi} * 100 >= uint64_t{kPictureScales[n]} * kDesignDpi)
      variant = n;
  }
  return variant;
}

TGdiObject<HBITMAP> LoadPictureResource(int id, UINT dpi) {
  for (size_t variant = PictureVariantFor(dpi) + 1; variant-- > 0;) {
    TGdiObject<HBITMAP> bitmap =
        LoadPictureVariant(id + static_cast<int>(variant) * kPictureVariantStep);
    if (bitmap)
      return bitmap;
  }
  return {};
}

TGdiObject<HBITMAP> LoadBannerBitmap(const std::vector<uint8_t>& jpeg, UINT dpi) {
  if (jpeg.empty())
    return {};
  TPicture picture;
  try {
    picture = DecodeJpeg(jpeg);
  } catch (const Exception&) {
    return {};
  }
  if (dpi == kDesignDpi)
    return CreatePictureBitmap(picture);
  const int width = ScaleForDpi(picture.Width, dpi);
  const int height = ScaleForDpi(picture.Height, dpi);
  // A banner far larger than its strip stays as it is rather than growing without bound.
  if (width <= 0 || height <= 0 ||
      uint64_t{static_cast<uint32_t>(width)} * height > kMaxBannerPixels)
    return CreatePictureBitmap(picture);
  return CreatePictureBitmap(ResizePicture(picture, width, height));
}

}  // namespace xa
