#ifndef XA_SHELL_MODAL_SCOPE_H_
#define XA_SHELL_MODAL_SCOPE_H_

#include <windows.h>

#include <vector>

namespace xa {

// Disables every visible and enabled top-level window of the calling thread for the object's
// lifetime, so that only a modal dialog opened meanwhile takes input. On destruction it
// re-enables exactly the windows it disabled that still exist.
class TDisabledThreadWindows {
 public:
  TDisabledThreadWindows();
  ~TDisabledThreadWindows();
  TDisabledThreadWindows(const TDisabledThreadWindows&) = delete;
  TDisabledThreadWindows& operator=(const TDisabledThreadWindows&) = delete;

  // The windows disabled by the constructor, in the order the system listed them.
  const std::vector<HWND>& Windows() const { return windows_; }

 private:
  std::vector<HWND> windows_;
};

// Sets the process error mode to `mode` for the object's lifetime and puts the previous mode
// back on destruction.
class TErrorModeScope {
 public:
  explicit TErrorModeScope(UINT mode) : previous_(SetErrorMode(mode)) {}
  ~TErrorModeScope() { SetErrorMode(previous_); }
  TErrorModeScope(const TErrorModeScope&) = delete;
  TErrorModeScope& operator=(const TErrorModeScope&) = delete;

 private:
  UINT previous_;
};

}  // namespace xa

#endif  // XA_SHELL_MODAL_SCOPE_H_
