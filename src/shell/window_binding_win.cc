#include "shell/window_binding_win.h"

#include <commctrl.h>

#include "package/errors.h"
#include "shell/window_errors_win.h"

namespace xa {
namespace {

using SetSubclassProc = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
using RemoveSubclassProc = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
using DefSubclassProcType = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

// The subclass functions of comctl32, taken at run time like the rest of the library: a static
// import would be resolved from the program's own folder before the program runs.
struct TSubclassApi {
  SetSubclassProc Set = nullptr;
  RemoveSubclassProc Remove = nullptr;
  DefSubclassProcType Default = nullptr;
};

// By name where exported, else by the ordinals older libraries export them under.
FARPROC Function(HMODULE library, const char* name, WORD ordinal) {
  FARPROC function = GetProcAddress(library, name);
  return function ? function : GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
}

const TSubclassApi& Api() {
  static const TSubclassApi api = [] {
    TSubclassApi found;
    HMODULE library = LoadLibraryW(L"comctl32.dll");
    if (!library)
      return found;
    found.Set = reinterpret_cast<SetSubclassProc>(
        reinterpret_cast<void (*)()>(Function(library, "SetWindowSubclass", 410)));
    found.Remove = reinterpret_cast<RemoveSubclassProc>(
        reinterpret_cast<void (*)()>(Function(library, "RemoveWindowSubclass", 412)));
    found.Default = reinterpret_cast<DefSubclassProcType>(
        reinterpret_cast<void (*)()>(Function(library, "DefSubclassProc", 413)));
    return found;
  }();
  return api;
}

LRESULT CALLBACK
GuardedProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
  auto* handler = reinterpret_cast<TWindowHandler*>(data);
  LRESULT result = 0;
  try {
    result = handler->HandleMessage(window, msg, wparam, lparam);
  } catch (...) {
    ReportWindowError(std::current_exception());
    if (msg == WM_PAINT)
      ValidateRect(window, nullptr);
  }
  if (msg == WM_NCDESTROY) {
    Api().Remove(window, &GuardedProc, id);
    handler->WindowDetached(window);
  }
  return result;
}

}  // namespace

void BindWindow(HWND window, TWindowHandler& handler) {
  const TSubclassApi& api = Api();
  const auto id = reinterpret_cast<UINT_PTR>(&handler);
  if (!window || !api.Set || !api.Remove || !api.Default ||
      !api.Set(window, &GuardedProc, id, reinterpret_cast<DWORD_PTR>(&handler)))
    Raise<Exception>("Cannot bind a window to its object");
}

HWND BindNewWindow(HWND window, TWindowHandler& handler, const char* failure) {
  if (!window)
    Raise<Exception>(failure);
  try {
    BindWindow(window, handler);
  } catch (...) {
    DestroyWindow(window);
    throw;
  }
  return window;
}

void UnbindWindow(HWND window, TWindowHandler& handler) {
  if (window && Api().Remove)
    Api().Remove(window, &GuardedProc, reinterpret_cast<UINT_PTR>(&handler));
}

LRESULT CallNextProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  return Api().Default(window, msg, wparam, lparam);
}

}  // namespace xa
