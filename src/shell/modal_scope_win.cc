#include "shell/modal_scope.h"

namespace xa {
namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM windows) {
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

}  // namespace

// Collects first and disables afterwards: disabling a window while the system lists them could
// change what the listing reports.
TDisabledThreadWindows::TDisabledThreadWindows() {
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                    reinterpret_cast<LPARAM>(&windows_));
  for (HWND window : windows_)
    EnableWindow(window, FALSE);
}

TDisabledThreadWindows::~TDisabledThreadWindows() {
  for (HWND window : windows_) {
    if (IsWindow(window))
      EnableWindow(window, TRUE);
  }
}

}  // namespace xa
