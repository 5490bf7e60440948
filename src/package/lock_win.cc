#include "package/lock.h"

#include <windows.h>

namespace xa {

struct TLock::TState {
  TState() { InitializeCriticalSection(&section); }
  ~TState() { DeleteCriticalSection(&section); }
  TState(const TState&) = delete;
  TState& operator=(const TState&) = delete;

  CRITICAL_SECTION section;
};

TLock::TLock() : state_(std::make_unique<TState>()) {}

TLock::~TLock() = default;

void TLock::lock() {
  EnterCriticalSection(&state_->section);
}

void TLock::unlock() {
  LeaveCriticalSection(&state_->section);
}

}  // namespace xa
