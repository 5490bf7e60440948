#ifndef XA_SHELL_WINDOW_ERRORS_WIN_H_
#define XA_SHELL_WINDOW_ERRORS_WIN_H_

#include <windows.h>

#include <exception>

namespace xa {

// Posted to the error window after an error was queued; its handler takes the queued errors
// with TakeWindowError and shows them.
inline constexpr UINT kWindowErrorMessage = WM_APP + 0x2E0;

// Names the window that shows the errors caught at window procedure boundaries (null: none;
// errors then wait in the queue).
void SetWindowErrorTarget(HWND window);

// Stops posting to `window` when it is the error window (it is going).
void ForgetWindowErrorTarget(HWND window);

// Queues `error` and posts kWindowErrorMessage to the error window, so that the error box opens
// outside the message being handled (never from inside painting). Never throws; any thread.
void ReportWindowError(std::exception_ptr error) noexcept;

// The oldest queued error, removed from the queue; null when none waits.
std::exception_ptr TakeWindowError();

}  // namespace xa

#endif  // XA_SHELL_WINDOW_ERRORS_WIN_H_
