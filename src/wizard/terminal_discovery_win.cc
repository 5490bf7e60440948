#include "wizard/terminal_discovery_win.h"

#include <windows.h>

#include "engine/terminal.h"
#include "shell/scoped_find_handle.h"

namespace xa {
namespace {

// The MS-DOS volume-label attribute, which the Windows headers no longer name.
constexpr DWORD kVolumeLabelAttribute = 0x08;

// FindFirstFile lists hidden and system entries too; the scan must not offer them.
constexpr DWORD kPassedOverAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabelAttribute;

bool IsCandidate(const WIN32_FIND_DATAA& entry) {
  const std::string name = entry.cFileName;
  if (name == "." || name == "..")
    return false;
  if (entry.dwFileAttributes & kPassedOverAttributes)
    return false;
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::vector<std::string> FindTerminalFolders(const std::string& root) {
  std::vector<std::string> folders;
  WIN32_FIND_DATAA entry;
  TScopedFindHandle find(FindFirstFileA((root + "\\*.*").c_str(), &entry));
  if (!find.IsValid())
    return folders;
  do {
    if (!IsCandidate(entry))
      continue;
    const std::string folder = root + "\\" + entry.cFileName;
    if (TerminalExeExists(folder))
      folders.push_back(folder);
  } while (FindNextFileA(find.Get(), &entry));
  return folders;
}

bool IsTerminalRunning() {
  return FindWindowA(kTerminalWindowClass, nullptr) != nullptr;
}

bool TerminalExeExists(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA((folder + "\\" + kTerminalExeName).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string DefaultTerminalFolder(const std::string& root) {
  return root + "\\" + kDefaultTerminalFolder;
}

}  // namespace xa
