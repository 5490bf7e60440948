#include "wizard/common_controls_win.h"

#include <commctrl.h>

#include "package/errors.h"

namespace xa {
namespace {

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
    Raise<Exception>("The common controls library cannot be loaded");
}

}  // namespace xa
