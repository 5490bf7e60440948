#include "app/single_instance_win.h"

#include <windows.h>

namespace xa {
namespace {

// In the global namespace, so that runs in other sessions (a remote desktop, a scheduled task)
// see it too.
constexpr wchar_t kMutexName[] = L"Global\\XaSetup.Run";

}  // namespace

TSingleInstance::TSingleInstance() {
  mutex_.Reset(CreateMutexW(nullptr, FALSE, kMutexName));
  const DWORD error = GetLastError();
  // Denied: it exists, made by a run of another user.
  another_runs_ =
      error == ERROR_ALREADY_EXISTS || (!mutex_.IsValid() && error == ERROR_ACCESS_DENIED);
}

}  // namespace xa
