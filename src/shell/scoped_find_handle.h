#ifndef XA_SHELL_SCOPED_FIND_HANDLE_H_
#define XA_SHELL_SCOPED_FIND_HANDLE_H_

#include <windows.h>

namespace xa {

// Owns a directory search handle from FindFirstFile and closes it with FindClose when it goes;
// such handles must not reach CloseHandle.
class TScopedFindHandle {
 public:
  explicit TScopedFindHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~TScopedFindHandle() { Reset(); }
  TScopedFindHandle(const TScopedFindHandle&) = delete;
  TScopedFindHandle& operator=(const TScopedFindHandle&) = delete;

  HANDLE Get() const { return handle_; }

  // True unless empty or INVALID_HANDLE_VALUE.
  bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

  // Ends the search now.
  void Reset() {
    if (IsValid())
      FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

}  // namespace xa

#endif  // XA_SHELL_SCOPED_FIND_HANDLE_H_
