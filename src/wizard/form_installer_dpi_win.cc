#include "wizard/form_installer_win.h"
#include "wizard/form_layout_win.h"
#include "wizard/window_dpi_win.h"

namespace xa {
namespace {

// Grows or shrinks `form` so that its client area is the design size scaled to `dpi`: the frame
// the system draws need not scale with the client area, nor be the one its rectangle assumed.
void FitClientArea(HWND form, UINT dpi) {
  RECT window, client;
  GetWindowRect(form, &window);
  GetClientRect(form, &client);
  const int wider = ScaleForDpi(kFormClientWidth, dpi) - (client.right - client.left);
  const int higher = ScaleForDpi(kFormClientHeight, dpi) - (client.bottom - client.top);
  if (wider || higher) {
    SetWindowPos(form, nullptr, 0, 0, window.right - window.left + wider,
                 window.bottom - window.top + higher, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

void TFormInstaller::FitWindowToDpi() {
  const SIZE frame = WindowSizeForDpi(kFormClientWidth, kFormClientHeight, kFormStyle, kFormExStyle,
                                      controls_.Dpi);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea(hwnd_, controls_.Dpi);
}

void TFormInstaller::DpiChanged(UINT dpi, const RECT& suggested) {
  if (dpi == 0)
    return;
  // The system's rectangle keeps the window where the person dragged it, at the new size.
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea(hwnd_, dpi);
  LayOutFormControls(controls_, dpi);
  icons_.Apply(hwnd_, dpi);
  if (FInstall)
    ShowBanner(FInstall->Banner);
  else if (FUninstall)
    ShowBanner(FUninstall->Banner);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace xa
