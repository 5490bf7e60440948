#ifndef XA_SHELL_COM_PTR_H_
#define XA_SHELL_COM_PTR_H_

#include <windows.h>

namespace xa {

// Owns one reference to a COM interface and releases it when it goes.
template <typename T>
class TComPtr {
 public:
  TComPtr() = default;
  ~TComPtr() { Reset(); }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;

  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // Releases the current reference and returns the slot for a call that hands out a new one,
  // typed as the void** that CoCreateInstance and QueryInterface take.
  void** Receive() {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }

  void Reset() {
    if (pointer_)
      pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace xa

#endif  // XA_SHELL_COM_PTR_H_
