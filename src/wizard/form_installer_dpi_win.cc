#include "wizard/form_installer_win.h"
#include "wizard/form_layout_win.h"
#include "wizard/window_dpi_win.h"

namespace xa {

void TFormInstaller::FitWindowToDpi() {
  const SIZE frame = WindowSizeForDpi(kFormClientWidth, kFormClientHeight, kFormStyle, kFormExStyle,
                                      controls_.Dpi);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormInstaller::DpiChanged(UINT dpi, const RECT& suggested) {
  if (dpi == 0)
    return;
  // The system's rectangle keeps the window where the person dragged it, at the new size.
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutFormControls(controls_, dpi);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace xa
