#ifndef XA_SHELL_LOCAL_MEMORY_H_
#define XA_SHELL_LOCAL_MEMORY_H_

#include <windows.h>

namespace xa {

// Owns memory that a Windows call allocated with LocalAlloc for its caller (a security
// descriptor, a SID's text) and frees it with LocalFree when it goes.
template <typename T>
class TLocalMemory {
 public:
  TLocalMemory() = default;
  ~TLocalMemory() { LocalFree(pointer_); }
  TLocalMemory(const TLocalMemory&) = delete;
  TLocalMemory& operator=(const TLocalMemory&) = delete;

  T* Get() const { return pointer_; }

  // Where the call stores its pointer; only while empty.
  T** Receive() { return &pointer_; }

 private:
  T* pointer_ = nullptr;
};

}  // namespace xa

#endif  // XA_SHELL_LOCAL_MEMORY_H_
