#include <windows.h>

#include <exception>
#include <optional>
#include <vector>

#include "engine/self_delete.h"
#include "engine/self_delete_batch.h"
#include "shell/record_writers.h"
#include "shell/scoped_handle.h"
#include "shell/sys_folders.h"

namespace xa {
namespace {

// `text` from the ANSI code page in the OEM code page that the command interpreter reads
// batch files in; nothing when a character has no exact counterpart there.
std::optional<std::string> AnsiToOem(const std::string& text) {
  if (text.empty())
    return text;
  const int size = static_cast<int>(text.size());
  const int wide_size =
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (wide_size == 0)
    return std::nullopt;
  std::vector<wchar_t> wide(static_cast<size_t>(wide_size));
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), wide_size);
  BOOL lossy = FALSE;
  const int oem_size = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_size,
                                           nullptr, 0, nullptr, &lossy);
  if (oem_size == 0 || lossy)
    return std::nullopt;
  std::string oem(static_cast<size_t>(oem_size), '\0');
  WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_size, oem.data(), oem_size,
                      nullptr, nullptr);
  return oem;
}

// `path` for the batch: in the OEM code page, or as its short name when only that converts.
std::optional<std::string> BatchPath(const std::string& path) {
  if (auto oem = AnsiToOem(path))
    return oem;
  char short_path[MAX_PATH];
  const DWORD length = GetShortPathNameA(path.c_str(), short_path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return std::nullopt;
  return AnsiToOem(std::string(short_path, length));
}

bool StartHidden(const std::string& batch, const std::string& folder) {
  // Quoted, so that a blank in the temporary folder's path cannot start another program.
  std::string command_line = "\"" + batch + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED | IDLE_PRIORITY_CLASS, nullptr, folder.c_str(), &startup,
                      &process))
    return false;
  TScopedHandle process_handle(process.hProcess);
  TScopedHandle thread(process.hThread);
  SetThreadPriority(thread.Get(), THREAD_PRIORITY_IDLE);
  process_handle.Reset();
  ResumeThread(thread.Get());
  return true;
}

}  // namespace

bool SelfDelete(const std::string& file, bool remove_folder) {
  try {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string folder = GetSysFolder(SysFolderId::kTemp, true);
    const std::string name = BatchFileName(
        {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds});
    const std::string batch = folder + name;
    const std::optional<std::string> oem_file = BatchPath(file);
    const std::optional<std::string> oem_folder = BatchPath(folder);
    if (!oem_file || !oem_folder)
      return false;
    WriteTextFile(batch, SelfDeleteBatchText(*oem_file, *oem_folder + name, remove_folder));
    return StartHidden(batch, folder);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace xa
