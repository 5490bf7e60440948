#include "shell/window_errors_win.h"

#include <deque>
#include <mutex>

#include "package/lock.h"

namespace xa {
namespace {

struct TErrorQueue {
  TLock lock;
  std::deque<std::exception_ptr> errors;
  HWND target = nullptr;
};

TErrorQueue& Queue() {
  static TErrorQueue queue;
  return queue;
}

}  // namespace

void SetWindowErrorTarget(HWND window) {
  TErrorQueue& queue = Queue();
  const std::lock_guard<TLock> guard(queue.lock);
  queue.target = window;
}

void ForgetWindowErrorTarget(HWND window) {
  TErrorQueue& queue = Queue();
  const std::lock_guard<TLock> guard(queue.lock);
  if (queue.target == window)
    queue.target = nullptr;
}

void ReportWindowError(std::exception_ptr error) noexcept {
  TErrorQueue& queue = Queue();
  HWND target = nullptr;
  try {
    const std::lock_guard<TLock> guard(queue.lock);
    queue.errors.push_back(std::move(error));
    target = queue.target;
  } catch (...) {
    // Out of memory for the queue itself: the error is dropped rather than ending the program.
    return;
  }
  if (target)
    PostMessageW(target, kWindowErrorMessage, 0, 0);
}

std::exception_ptr TakeWindowError() {
  TErrorQueue& queue = Queue();
  const std::lock_guard<TLock> guard(queue.lock);
  if (queue.errors.empty())
    return nullptr;
  std::exception_ptr error = std::move(queue.errors.front());
  queue.errors.pop_front();
  return error;
}

}  // namespace xa
