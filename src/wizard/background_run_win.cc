#include "wizard/background_run_win.h"

#include <windows.h>

#include <exception>

#include "package/errors.h"
#include "shell/com_apartment.h"
#include "shell/scoped_handle.h"

namespace xa {
namespace {

struct TWork {
  TFunctionRef<void()> Work;
  std::exception_ptr Error;
};

DWORD WINAPI WorkerMain(void* parameter) {
  auto* work = static_cast<TWork*>(parameter);
  try {
    // Shortcuts are written through COM, which each thread initialises for itself.
    const TComApartment apartment;
    work->Work();
  } catch (...) {
    work->Error = std::current_exception();
  }
  return 0;
}

// Mouse clicks (not moves or the wheel, which act on nothing) and every key message.
bool IsClickOrKey(UINT msg) {
  const bool button = (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) ||
                      (msg >= WM_XBUTTONDOWN && msg <= WM_XBUTTONDBLCLK);
  return button || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST);
}

// Dispatches what the queue holds, except clicks and keys; notes a WM_QUIT.
void DispatchPending(bool& quit, WPARAM& quit_code) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      quit_code = msg.wParam;
      continue;
    }
    if (IsClickOrKey(msg.message))
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Removes the mouse and key input still queued, title bar and frame included.
void DiscardInput() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&msg, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
  }
}

}  // namespace

void RunWhileDispatching(TFunctionRef<void()> work) {
  TWork job{work, nullptr};
  TScopedHandle thread(CreateThread(nullptr, 0, &WorkerMain, &job, 0, nullptr));
  if (!thread.IsValid())
    Raise<Exception>("Cannot start the run");
  HANDLE handle = thread.Get();
  bool quit = false;
  WPARAM quit_code = 0;
  // What was queued before the run is handled as if it came during the run, however short.
  for (;;) {
    DispatchPending(quit, quit_code);
    const DWORD woken =
        MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0)
      break;
    if (woken == WAIT_FAILED) {
      // Nothing left to wait for messages with: the run's end is all that matters now.
      WaitForSingleObject(handle, INFINITE);
      break;
    }
  }
  DiscardInput();
  if (quit)
    PostQuitMessage(static_cast<int>(quit_code));
  if (job.Error)
    std::rethrow_exception(job.Error);
}

}  // namespace xa
