#ifndef XA_APP_WALK_WINDOW_DRIVER_WIN_H_
#define XA_APP_WALK_WINDOW_DRIVER_WIN_H_

#include <windows.h>

#include <functional>
#include <string>

#include "shell/scoped_handle.h"

namespace xa {

// A program driven from outside, as a person would use it: started with a command line,
// terminated when the object goes unless it ended by itself.
class TDrivenProgram {
 public:
  // Starts `command_line`; raises std::runtime_error when it cannot be started.
  explicit TDrivenProgram(const std::string& command_line);
  ~TDrivenProgram();
  TDrivenProgram(const TDrivenProgram&) = delete;
  TDrivenProgram& operator=(const TDrivenProgram&) = delete;

  // Its first visible top-level window of class `window_class`, waited for up to `seconds`;
  // raises std::runtime_error naming `what` when none appears.
  HWND WaitForWindow(const std::string& window_class, const std::string& what, int seconds);

  // Polls `done` as the free Await does, but raises std::runtime_error at once, naming `what`
  // and the exit code (an NTSTATUS such as 0xC0000005 after a crash), when the program ends
  // before `done` holds: nothing it shows can come any more.
  void Await(const std::function<bool()>& done, const std::string& what, int seconds);

  // Waits up to `seconds` for the program to end and returns its exit code; raises
  // std::runtime_error when it does not end in time.
  DWORD WaitForExit(int seconds);

 private:
  std::string command_line_;
  DWORD id_ = 0;  // before process_, which fills it in
  TScopedHandle process_;
};

// The first visible descendant of `root` of class `window_class` (case ignored) whose caption
// is `caption`, or any caption when `caption` is empty; null when there is none.
HWND FindControl(HWND root, const std::u16string& window_class, const std::u16string& caption = {});

// The same, raising std::runtime_error that names the control when there is none.
HWND RequireControl(HWND root, const std::u16string& window_class, const std::u16string& caption);

// The text of a window of another process (WM_GETTEXT); "" when it does not answer in 5 s.
std::u16string TextOf(HWND window);

// Presses a button of another process as a click would, without waiting for what it starts.
void Press(HWND button);

// Polls `done` every 50 ms for up to `seconds`; raises std::runtime_error naming `what` when
// it never held.
void Await(const std::function<bool()>& done, const std::string& what, int seconds);

// Waits until the thread of `window` answers a sent message and then lets its painting reach
// the screen (300 ms).
void Settle(HWND window);

}  // namespace xa

#endif  // XA_APP_WALK_WINDOW_DRIVER_WIN_H_
