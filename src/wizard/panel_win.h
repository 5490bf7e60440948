#ifndef XA_WIZARD_PANEL_WIN_H_
#define XA_WIZARD_PANEL_WIN_H_

#include <windows.h>

#include <utility>
#include <vector>

#include "shell/window_binding_win.h"
#include "wizard/gdi_object_win.h"

namespace xa {

// A plain container window of one colour, without border. Tab navigation enters it; control
// notifications go on to the top-level window; owner-drawn items are first offered to the item
// itself (kReflectedDrawItem); static and button children are painted on its colour unless
// given a colour of their own.
class TPanel : private TWindowHandler {
 public:
  TPanel() = default;
  // Detaches from a window that is still alive; its parent destroys it.
  ~TPanel() override;
  TPanel(const TPanel&) = delete;
  TPanel& operator=(const TPanel&) = delete;

  // Creates the window at (x, y), width x height within `parent`, filled with `color`. Raises
  // Exception when the window cannot be created.
  void Create(HWND parent, int x, int y, int width, int height, COLORREF color);
  // The window; null before Create and once the window is destroyed.
  HWND Handle() const { return hwnd_; }

  // `control`, a child, is painted on `color` instead of the panel's colour.
  void SetControlColor(HWND control, COLORREF color);

 private:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;
  void WindowDetached(HWND) noexcept override { hwnd_ = nullptr; }
  LRESULT ControlColor(HDC dc, HWND control);

  HWND hwnd_ = nullptr;
  COLORREF color_ = 0;
  TGdiObject<HBRUSH> brush_;
  std::vector<std::pair<HWND, std::pair<COLORREF, TGdiObject<HBRUSH>>>> control_colors_;
};

}  // namespace xa

#endif  // XA_WIZARD_PANEL_WIN_H_
