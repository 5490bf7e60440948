#ifndef XA_WIZARD_WINDOW_DPI_WIN_H_
#define XA_WIZARD_WINDOW_DPI_WIN_H_

#include <windows.h>

namespace xa {

// The dots per inch the form is laid out for: its pixel values, fonts and pictures are given
// for this resolution and scaled from it.
inline constexpr UINT kDesignDpi = 96;

// Sent to a top-level window of a per-monitor aware program when its resolution changes: the
// new dots per inch in the low word of wparam, a suggested window rectangle (RECT*) in lparam.
// The headers declare it only for newer target systems than ours.
inline constexpr UINT kWmDpiChanged = 0x02E0;

// The dots per inch `hwnd` is shown at: the window's own where the system tells it (Windows 10
// 1607 and later), else the screen's. Never zero.
UINT WindowDpi(HWND hwnd) noexcept;

// The user32 function `name` as `Function`, or null: the per-DPI functions are looked up at run
// time, since Windows before 10 1607 has none of them.
template <typename Function>
Function User32Entry(const char* name) noexcept {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32)
    return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

// `value`, a length in pixels at kDesignDpi, in pixels at `dpi`, rounded to the nearest.
int ScaleForDpi(int value, UINT dpi) noexcept;

}  // namespace xa

#endif  // XA_WIZARD_WINDOW_DPI_WIN_H_
