#include "wizard/window_dpi_win.h"

namespace xa {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

UINT ScreenDpi() noexcept {
  HDC screen = GetDC(nullptr);
  if (!screen)
    return kDesignDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

}  // namespace

UINT WindowDpi(HWND hwnd) noexcept {
  static const GetDpiForWindowFunction get_dpi_for_window =
      User32Entry<GetDpiForWindowFunction>("GetDpiForWindow");
  if (hwnd && get_dpi_for_window) {
    const UINT dpi = get_dpi_for_window(hwnd);
    if (dpi)
      return dpi;
  }
  return ScreenDpi();
}

int ScaleForDpi(int value, UINT dpi) noexcept {
  return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

}  // namespace xa
