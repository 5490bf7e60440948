#ifndef XA_SHELL_PAINT_SCOPE_WIN_H_
#define XA_SHELL_PAINT_SCOPE_WIN_H_

#include <windows.h>

namespace xa {

// BeginPaint for the lifetime of the object, EndPaint when it goes; Get() is null when
// BeginPaint failed, and drawing then does nothing.
class TPaintScope {
 public:
  explicit TPaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~TPaintScope() { EndPaint(window_, &paint_); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;

  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects `object` into `dc` for the lifetime of the scope and puts the previous object back.
// A null context or object, or a refused selection, selects nothing.
class TObjectSelection {
 public:
  TObjectSelection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~TObjectSelection() {
    if (previous_ && previous_ != HGDI_ERROR)
      SelectObject(dc_, previous_);
  }
  TObjectSelection(const TObjectSelection&) = delete;
  TObjectSelection& operator=(const TObjectSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// SaveDC for the lifetime of the scope, RestoreDC when it goes.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
  ~TSavedDC() {
    if (saved_)
      RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace xa

#endif  // XA_SHELL_PAINT_SCOPE_WIN_H_
