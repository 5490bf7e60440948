#include "wizard/terminal_discovery_win.h"

#include <windows.h>

#include "engine/terminal.h"
#include "linklabel/ansi.h"
#include "linklabel/wide_text.h"
#include "package/text_join.h"
#include "shell/folder_rules.h"
#include "shell/scoped_find_handle.h"

namespace xa {
namespace {

// The MS-DOS volume-label attribute, which the Windows headers no longer name.
constexpr DWORD kVolumeLabelAttribute = 0x08;

// FindFirstFile lists hidden and system entries too; the scan must not offer them.
constexpr DWORD kPassedOverAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabelAttribute;

bool IsCandidate(const WIN32_FIND_DATAW& entry) {
  const std::wstring name = entry.cFileName;
  if (name == L"." || name == L"..")
    return false;
  if (entry.dwFileAttributes & kPassedOverAttributes)
    return false;
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::vector<std::string> FindTerminalFolders(const std::string& root) {
  std::vector<std::string> folders;
  // Names are read in UTF-16: a name the ANSI code page cannot hold is passed over rather than
  // offered as a different path.
  const std::u16string pattern = AnsiToUtf16(root + "\\*.*");
  WIN32_FIND_DATAW entry;
  TScopedFindHandle find(FindFirstFileW(Wide(pattern), &entry));
  if (!find.IsValid())
    return folders;
  do {
    std::string name;
    if (!IsCandidate(entry) ||
        !TryUtf16ToAnsi(reinterpret_cast<const char16_t*>(entry.cFileName), name))
      continue;
    const std::string folder = JoinText({root, "\\", name});
    if (TerminalExeExists(folder))
      folders.push_back(folder);
  } while (FindNextFileW(find.Get(), &entry));
  return folders;
}

bool IsTerminalRunning() {
  return FindWindowA(kTerminalWindowClass, nullptr) != nullptr;
}

std::vector<std::string> FindAllTerminalFolders(const std::string& root,
                                                const std::vector<TDataFolder>& data_folders) {
  std::vector<std::string> folders = FindTerminalFolders(root);
  const std::vector<std::string> elsewhere =
      UnlistedInstallations(folders, data_folders, TerminalExeExists);
  folders.insert(folders.end(), elsewhere.begin(), elsewhere.end());
  return folders;
}

bool TerminalExeExists(const std::string& folder) {
  return FileExists(JoinText({folder, "\\", kTerminalExeName}));
}

std::string DefaultTerminalFolder(const std::string& root) {
  return JoinText({root, "\\", kDefaultTerminalFolder});
}

}  // namespace xa
