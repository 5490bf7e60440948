#include "wizard/window_dpi_win.h"

namespace xa {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: older Windows has no per-window DPI, only the screen's.
GetDpiForWindowFunction GetDpiForWindowEntry() noexcept {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32)
    return nullptr;
  return reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")));
}

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
  static const GetDpiForWindowFunction get_dpi_for_window = GetDpiForWindowEntry();
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
