#ifndef XA_PACKAGE_TESTING_MISALIGNED_THREAD_WIN_H_
#define XA_PACKAGE_TESTING_MISALIGNED_THREAD_WIN_H_

#include <cstdint>
#include <functional>

namespace xa {

// Calls `body` on this thread with the stack pointer `misalignment` bytes (0, 4, 8 or 12) off
// the 16-byte alignment that GCC's i386 code assumes by default, as 32-bit Windows may leave it
// where it calls a program's code. What `body` raises is raised again here. i686 only. Raises
// std::runtime_error when the misalignment is not one of the four.
void CallOnMisalignedStack(uint32_t misalignment, const std::function<void()>& body);

// Runs CallOnMisalignedStack(misalignment, body) on a new thread, as 32-bit Windows may start
// one, and returns when the thread has ended; what `body` raised is raised again here. i686
// only. Raises std::runtime_error when the thread cannot be started or the misalignment is not
// one of the four.
void RunOnMisalignedThread(uint32_t misalignment, const std::function<void()>& body);

}  // namespace xa

#endif  // XA_PACKAGE_TESTING_MISALIGNED_THREAD_WIN_H_
