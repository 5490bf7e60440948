#include <windows.h>

#include <exception>
#include <optional>
#include <vector>

#include "engine/self_delete.h"
#include "engine/self_delete_batch.h"
#include "package/text_join.h"
#include "shell/folder_rules.h"
#include "shell/private_folder.h"
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

// Starts the batch `batch` hidden at idle priority in `folder`, through the system's own
// command interpreter rather than whatever the environment names: /d leaves out the AutoRun
// commands of the registry (the user's own key can name one, which would run as we do), and
// /s /c takes the path in a second pair of quotes, so that a blank, "&" or parenthesis in it
// stays part of it.
bool StartHidden(const std::string& batch, const std::string& folder) {
  std::string command_line = JoinText(
      {"\"", GetSysFolder(SysFolderId::kSystem, true), "cmd.exe\" /d /s /c \"\"", batch, "\"\""});
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

// Writes the batch into a new private folder below `parent` and starts it; on failure removes
// what it wrote.
bool WriteAndStartBatch(const std::string& parent, const std::string& file, bool remove_folder) {
  const std::optional<std::string> oem_file = BatchPath(file);
  const std::string folder = oem_file ? MakePrivateFolder(parent) : std::string();
  if (folder.empty())
    return false;
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string name = BatchFileName(
      {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds});
  const std::string batch = JoinText({folder, "\\", name});
  const std::optional<std::string> oem_folder = BatchPath(folder);
  if (oem_folder &&
      WriteNewPrivateFile(batch,
                          SelfDeleteBatchText(*oem_file, *oem_folder, name, remove_folder)) &&
      StartHidden(batch, parent))
    return true;
  DeleteFileA(batch.c_str());
  RemoveDirectoryA(folder.c_str());
  return false;
}

// Leaves `file`, and its folder when `remove_folder` (if empty by then), for the system to
// delete at the next restart. Needs administrator rights; without them nothing happens.
void RemoveAtRestart(const std::string& file, bool remove_folder) {
  MoveFileExA(file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  if (remove_folder)
    MoveFileExA(FolderPart(file).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace

bool SelfDelete(const std::string& file, bool remove_folder) {
  return SelfDeleteBelow(PrivateFolderParent(), file, remove_folder);
}

bool SelfDeleteBelow(const std::string& parent, const std::string& file, bool remove_folder) {
  bool started = false;
  try {
    started = WriteAndStartBatch(parent, file, remove_folder);
  } catch (const std::exception&) {
    started = false;
  }
  if (!started)
    RemoveAtRestart(file, remove_folder);
  return started;
}

}  // namespace xa
