#ifndef XA_SHELL_WINDOW_BINDING_WIN_H_
#define XA_SHELL_WINDOW_BINDING_WIN_H_

#include <windows.h>

namespace xa {

// The object that handles a window's messages, bound with BindWindow.
class TWindowHandler {
 public:
  virtual ~TWindowHandler() = default;

  // Handles one message of `window`; what it leaves alone goes on with CallNextProc. May
  // throw: the binding catches everything and reports it with ReportWindowError.
  virtual LRESULT HandleMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) = 0;

  // Told once `window` has handled WM_NCDESTROY and the binding is gone, so that the object
  // forgets the handle. Must not throw.
  virtual void WindowDetached(HWND window) noexcept { (void)window; }
};

// Binds `handler` to `window` as a window subclass (the comctl32 subclass chain) until
// UnbindWindow or WM_NCDESTROY. Every message passes through one guard that catches whatever
// the handler throws, reports it with ReportWindowError and returns 0 (a failed WM_PAINT
// validates the window, so that it is not asked to paint again at once). A handler may be
// bound to several windows and several handlers to one window. Raises Exception when the
// subclass cannot be installed.
void BindWindow(HWND window, TWindowHandler& handler);

// Takes `window`, just created for `handler`, and binds it: raises Exception `failure` when
// `window` is null (its creation failed), and destroys it before raising when it cannot be
// bound. Returns `window`.
HWND BindNewWindow(HWND window, TWindowHandler& handler, const char* failure);

// Removes the binding of `handler` from `window` without telling the handler; nothing happens
// when there is none.
void UnbindWindow(HWND window, TWindowHandler& handler);

// Passes a message on to the procedure `window` had before the handler now running was bound.
LRESULT CallNextProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);

}  // namespace xa

#endif  // XA_SHELL_WINDOW_BINDING_WIN_H_
