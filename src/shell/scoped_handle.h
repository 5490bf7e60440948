#ifndef XA_SHELL_SCOPED_HANDLE_H_
#define XA_SHELL_SCOPED_HANDLE_H_

#include <windows.h>

namespace xa {

// Owns a kernel object handle (file, process, thread) and closes it when it goes.
class TScopedHandle {
 public:
  explicit TScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~TScopedHandle() { Reset(); }
  TScopedHandle(const TScopedHandle&) = delete;
  TScopedHandle& operator=(const TScopedHandle&) = delete;

  HANDLE Get() const { return handle_; }

  // True unless empty or INVALID_HANDLE_VALUE.
  bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

  // Closes the handle now, and owns `handle` from here on.
  void Reset(HANDLE handle = nullptr) {
    if (IsValid())
      CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

}  // namespace xa

#endif  // XA_SHELL_SCOPED_HANDLE_H_
