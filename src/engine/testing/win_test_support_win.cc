#include <windows.h>

#include <cstdio>

#include "engine/terminal.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "shell/registry_key.h"
#include "shell/scoped_handle.h"

namespace xa {
namespace {

uint64_t FromFileTime(const FILETIME& time) {
  return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

}  // namespace

ProgressCallback RecordProgress(TProgressLog& log) {
  return [&log](TXaData&, const std::string& message, int32_t percent) {
    log.emplace_back(message, percent);
  };
}

TFileTimes ReadFileTimes(const std::string& path) {
  TScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  FILETIME created;
  FILETIME accessed;
  FILETIME written;
  if (!file.IsValid() || !GetFileTime(file.Get(), &created, &accessed, &written))
    return {};
  return {FromFileTime(created), FromFileTime(accessed), FromFileTime(written)};
}

bool CreationTimeIsKept(const std::string& folder) {
  const std::string probe = folder + "\\creation_time_probe";
  FILETIME created = {0x11112222, 0x01D50000};
  {
    TScopedHandle file(CreateFileA(probe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    SetFileTime(file.Get(), &created, nullptr, nullptr);
  }
  const bool kept = ReadFileTimes(probe).Created == FromFileTime(created);
  DeleteFileA(probe.c_str());
  return kept;
}

std::string ReadMachineValue(const std::string& path, const std::string& name) {
  TRegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ))
    return {};
  return key.ReadString(name);
}

bool MachineKeyExists(const std::string& path) {
  TRegKey key;
  return key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ);
}

bool WaitFor(const std::function<bool()>& done, int seconds) {
  for (int waited = 0; waited < seconds * 20; ++waited) {
    if (done())
      return true;
    Sleep(50);
  }
  return done();
}

int RunProgram(const std::string& command_line,
               const std::string& output,
               const std::string& errors,
               int seconds) {
  SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  TScopedHandle out(CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  TScopedHandle err(CreateFileA(errors.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out.Get();
  startup.hStdError = err.Get();
  PROCESS_INFORMATION process = {};
  std::string line = command_line;
  if (!out.IsValid() || !err.IsValid()) {
    std::fprintf(stderr, "RunProgram: cannot create %s or %s: error %lu\n", output.c_str(),
                 errors.c_str(), GetLastError());
    return -1;
  }
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                      nullptr, &startup, &process)) {
    std::fprintf(stderr, "RunProgram: cannot start %s: error %lu\n", command_line.c_str(),
                 GetLastError());
    return -1;
  }
  TScopedHandle process_handle(process.hProcess);
  TScopedHandle thread(process.hThread);
  DWORD code = 0;
  if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(seconds) * 1000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    return -1;
  }
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}

namespace {

struct TWindowSearch {
  uint32_t ProcessId;
  std::string WindowClass;
  HWND Found = nullptr;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner != search->ProcessId || search->WindowClass != name || !IsWindowVisible(window))
    return TRUE;
  search->Found = window;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(uint32_t process_id, const std::string& window_class) {
  TWindowSearch search{process_id, window_class};
  EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

namespace {

// The terminal window of process `id`, shown or not; null when it has none.
HWND TerminalWindowOf(DWORD id) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, kTerminalWindowClass, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == id)
      return window;
  }
  return nullptr;
}

}  // namespace

TTerminalDouble::TTerminalDouble() {
  std::string command_line = "\"" + TestProgramFolder() + "\\" + kTerminalExeName + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return;
  CloseHandle(process.hThread);
  process_ = process.hProcess;
  id_ = process.dwProcessId;
}

TTerminalDouble::~TTerminalDouble() {
  if (process_) {
    Close(30);
    CloseHandle(process_);
  }
}

HWND TTerminalDouble::WaitForWindow(int seconds) {
  HWND window = nullptr;
  WaitFor(
      [&] {
        window = TerminalWindowOf(id_);
        return window != nullptr;
      },
      seconds);
  return window;
}

int TTerminalDouble::Close(int seconds) {
  if (HWND window = TerminalWindowOf(id_))
    PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_, static_cast<DWORD>(seconds) * 1000) != WAIT_OBJECT_0) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, INFINITE);
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<int>(code);
}

bool CopyTerminalDouble(const std::string& folder) {
  const std::string source = TestProgramFolder() + "\\" + kTerminalExeName;
  const std::string target = folder + "\\" + kTerminalExeName;
  return CopyFileA(source.c_str(), target.c_str(), FALSE);
}

bool MakeTwoTerminalDoubles(const std::string& root,
                            std::string* terminal_a,
                            std::string* terminal_b) {
  *terminal_a = root + "\\Terminal A";
  *terminal_b = root + "\\Terminal B";
  for (const std::string* folder : {terminal_a, terminal_b}) {
    if (!CreateDirectoryA(folder->c_str(), nullptr) || !CopyTerminalDouble(*folder))
      return false;
  }
  return true;
}

}  // namespace xa
