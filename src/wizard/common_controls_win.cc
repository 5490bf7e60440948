#include "wizard/common_controls_win.h"

#include <commctrl.h>

#include "package/errors.h"

namespace xa {
namespace {

constexpr wchar_t kOriginalProcProperty[] = L"xa.OriginalProc";

using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

bool Initialise() {
  HMODULE library = LoadLibraryW(L"comctl32.dll");
  if (!library)
    return false;
  const auto initialise = reinterpret_cast<InitCommonControlsExProc>(
      reinterpret_cast<void (*)()>(GetProcAddress(library, "InitCommonControlsEx")));
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  return initialise && initialise(&classes);
}

}  // namespace

void LoadCommonControls() {
  static const bool loaded = Initialise();
  if (!loaded)
    throw Exception("The common controls library cannot be loaded");
}

void SubclassWindow(HWND window, WNDPROC procedure) {
  const LONG_PTR original =
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  SetPropW(window, kOriginalProcProperty, reinterpret_cast<HANDLE>(original));
}

LRESULT CallOriginalProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(window, kOriginalProcProperty));
  if (msg == WM_NCDESTROY)
    RemovePropW(window, kOriginalProcProperty);
  return original ? CallWindowProcW(original, window, msg, wparam, lparam)
                  : DefWindowProcW(window, msg, wparam, lparam);
}

}  // namespace xa
