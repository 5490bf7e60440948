#include "app/walk/png_capture_win.h"

// gdiplus.h needs the COM property types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <stdexcept>

#include "linklabel/ansi.h"
#include "linklabel/wide_text.h"
#include "wizard/gdi_object_win.h"

namespace xa {
namespace {

// GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {0x557CF406,
                               0x1A04,
                               0x11D3,
                               {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// GDI+ for the lifetime of one capture.
class TGdiPlus {
 public:
  TGdiPlus() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok)
      throw std::runtime_error("GDI+ does not start");
  }
  ~TGdiPlus() { Gdiplus::GdiplusShutdown(token_); }
  TGdiPlus(const TGdiPlus&) = delete;
  TGdiPlus& operator=(const TGdiPlus&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

// The screen's pixels inside `area`.
TGdiObject<HBITMAP> CopyScreen(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
  bool copied = false;
  if (bitmap) {
    TMemoryDC memory(screen);
    memory.Select(bitmap.Get());
    copied = BitBlt(memory.Get(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  if (!copied)
    throw std::runtime_error("cannot copy the screen");
  return bitmap;
}

void SaveBitmapPng(HBITMAP bitmap, const std::string& path) {
  TGdiPlus gdi_plus;
  Gdiplus::GpBitmap* image = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) != Gdiplus::Ok)
    throw std::runtime_error("GDI+ does not take the screen picture");
  const std::u16string wide_path = AnsiToUtf16(path);
  const Gdiplus::GpStatus saved =
      Gdiplus::DllExports::GdipSaveImageToFile(image, Wide(wide_path), &kPngEncoder, nullptr);
  Gdiplus::DllExports::GdipDisposeImage(image);
  if (saved != Gdiplus::Ok)
    throw std::runtime_error("cannot write " + path);
}

}  // namespace

void SaveWindowPng(HWND window, const std::string& path) {
  RECT area{};
  if (!GetWindowRect(window, &area) || area.right <= area.left || area.bottom <= area.top)
    throw std::runtime_error("the window to picture has no area");
  SaveBitmapPng(CopyScreen(area).Get(), path);
}

}  // namespace xa
