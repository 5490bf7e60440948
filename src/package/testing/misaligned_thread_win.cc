#include "package/testing/misaligned_thread_win.h"

#include <windows.h>

#include <exception>
#include <stdexcept>

#include "shell/scoped_handle.h"

#if !defined(__i386__)
#error "Only 32-bit x86 code can be entered with a misaligned stack"
#endif

// Calls `function(argument)` with the stack pointer `misalignment` bytes below a 16-byte
// boundary just before the call, so the callee sees what a caller that keeps only 4-byte
// alignment gives it. cdecl; every callee-saved register is kept.
extern "C" void XaCallWithMisalignedStack(void (*function)(void*),
                                          void* argument,
                                          uint32_t misalignment);

asm(R"(
  .text
  .globl _XaCallWithMisalignedStack
  .def _XaCallWithMisalignedStack; .scl 2; .type 32; .endef
_XaCallWithMisalignedStack:
  pushl %ebp
  movl %esp, %ebp
  movl 8(%ebp), %eax
  movl 12(%ebp), %ecx
  movl 16(%ebp), %edx
  andl $-16, %esp
  subl %edx, %esp
  subl $12, %esp
  pushl %ecx
  call *%eax
  movl %ebp, %esp
  popl %ebp
  ret
)");

namespace xa {
namespace {

struct TMisalignedCall {
  const std::function<void()>& Body;
  std::exception_ptr Error;
};

// Entered on the misaligned stack; no exception may cross the assembly frame above it.
void RunBody(void* parameter) {
  auto* call = static_cast<TMisalignedCall*>(parameter);
  try {
    call->Body();
  } catch (...) {
    call->Error = std::current_exception();
  }
}

struct TMisalignedThread {
  uint32_t Misalignment;
  const std::function<void()>& Body;
  std::exception_ptr Error;
};

DWORD WINAPI ThreadMain(void* parameter) {
  auto* thread = static_cast<TMisalignedThread*>(parameter);
  try {
    CallOnMisalignedStack(thread->Misalignment, thread->Body);
  } catch (...) {
    thread->Error = std::current_exception();
  }
  return 0;
}

}  // namespace

void CallOnMisalignedStack(uint32_t misalignment, const std::function<void()>& body) {
  if (misalignment % 4 != 0 || misalignment > 12)
    throw std::runtime_error("misalignment must be 0, 4, 8 or 12 bytes");
  TMisalignedCall call{body, nullptr};
  XaCallWithMisalignedStack(&RunBody, &call, misalignment);
  if (call.Error)
    std::rethrow_exception(call.Error);
}

void RunOnMisalignedThread(uint32_t misalignment, const std::function<void()>& body) {
  TMisalignedThread job{misalignment, body, nullptr};
  const TScopedHandle thread(CreateThread(nullptr, 0, &ThreadMain, &job, 0, nullptr));
  if (!thread.IsValid())
    throw std::runtime_error("cannot start a thread");
  WaitForSingleObject(thread.Get(), INFINITE);
  if (job.Error)
    std::rethrow_exception(job.Error);
}

}  // namespace xa
