#ifndef XA_PACKAGE_LOCK_H_
#define XA_PACKAGE_LOCK_H_

#include <memory>

namespace xa {

// A lock for data that several threads share; one thread holds it at a time, and a thread must
// not take it again while holding it. It meets the standard library's BasicLockable, so
// std::lock_guard holds it. On Windows it is Windows' own critical section: the C++ library's
// mutex there needs the winpthread library, which the shipped program leaves out.
class TLock {
 public:
  // Raises std::bad_alloc when out of memory.
  TLock();
  ~TLock();
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;

  // Waits until no other thread holds the lock, then holds it.
  void lock();
  // Releases the lock, which the calling thread holds.
  void unlock();

 private:
  struct TState;
  std::unique_ptr<TState> state_;
};

}  // namespace xa

#endif  // XA_PACKAGE_LOCK_H_
