#include "app/dll_search_win.h"

#include <windows.h>

namespace xa {
namespace {

// From libloaderapi.h of Windows 8 and later; the headers for our oldest target lack it.
constexpr DWORD kLoadLibrarySearchSystem32 = 0x00000800;

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryWFn = BOOL(WINAPI*)(LPCWSTR);

// `name` from kernel32, or null where this Windows lacks it. Both functions are looked up
// rather than imported: an import the system lacks would stop the program from starting.
template <typename Function>
Function Kernel32Function(const char* name) {
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr)
    return nullptr;
  // Through the generic function pointer type, which converts to any other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(kernel32, name)));
}

}  // namespace

void RestrictDllSearch() {
  // Windows 8 and later, and Vista and 7 with update KB2533623.
  if (const auto set_default =
          Kernel32Function<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories")) {
    set_default(kLoadLibrarySearchSystem32);
  }
  // An empty string takes the current folder out of the search (XP SP1 and later).
  if (const auto set_directory = Kernel32Function<SetDllDirectoryWFn>("SetDllDirectoryW"))
    set_directory(L"");
}

}  // namespace xa
