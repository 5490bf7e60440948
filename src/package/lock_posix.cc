#include "package/lock.h"

#include <mutex>

namespace xa {

struct TLock::TState {
  std::mutex mutex;
};

TLock::TLock() : state_(std::make_unique<TState>()) {}

TLock::~TLock() = default;

void TLock::lock() {
  state_->mutex.lock();
}

void TLock::unlock() {
  state_->mutex.unlock();
}

}  // namespace xa
