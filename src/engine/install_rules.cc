#include "engine/install_rules.h"

#include <algorithm>

#include "engine/ansi_case.h"
#include "package/errors.h"
#include "package/text_join.h"

namespace xa {
namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

int32_t ExpectedInstallSteps(const TXaInstall& install) {
  const auto terminals = static_cast<int32_t>(install.TerminalFolders.size());
  const auto files = static_cast<int32_t>(install.Files.size());
  const int32_t overrides = install.SettingsOverride.empty() ? 0 : terminals;
  return terminals * files + overrides + 10;
}

std::string TrimBlanks(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first]))
    ++first;
  while (last > first && IsBlank(text[last - 1]))
    --last;
  return text.substr(first, last - first);
}

bool IsUsableProgramName(const std::string& name) {
  if (name.find_first_not_of("\\") == std::string::npos)
    return false;
  bool has_content = false;
  size_t start = 0;
  for (;;) {
    const size_t end = name.find('\\', start);
    const std::string part = name.substr(start, end - start);
    if (part.empty())
      return false;
    has_content = has_content || !TrimBlanks(part).empty();
    if (end == std::string::npos)
      return has_content;
    start = end + 1;
  }
}

std::string UninstallKeyPath(const std::string& program_name) {
  if (!IsUsableProgramName(program_name))
    Raise<Exception>(kUnusableProgramName);
  return JoinText({kUninstallKey, "\\", program_name});
}

void CheckInstallable(const std::string& program_name,
                      const std::string& program_files,
                      const std::string& programs_menu) {
  if (!IsUsableProgramName(program_name))
    Raise<Exception>(kUnusableProgramName);
  if (program_files.empty())
    Raise<Exception>(kNoProgramFilesFolder);
  if (programs_menu.empty())
    Raise<Exception>(kNoProgramsMenuFolder);
}

void CheckPackageContents(const TXaInstall& install, int64_t executable_size) {
  constexpr int32_t kBlockSize = 16;
  if (install.CutShort)
    Raise<EStreamError>(kInvalidFileFormat);
  for (const auto& file : install.Files) {
    if (file->Offset < 0 || file->Size < kBlockSize || file->Size % kBlockSize != 0 ||
        int64_t{file->Offset} + file->Size > executable_size)
      Raise<EStreamError>(kInvalidFileFormat);
  }
}

namespace {

bool SamePath(const std::string& a, const std::string& b) {
  return AnsiUpperCase(a) == AnsiUpperCase(b);
}

// Inserts `folders` as folder items just before the folder item `anchor` (appended when there
// is none): each once, deepest first.
void RecordFoldersBefore(std::vector<TInstalledItem>& items,
                         const std::string& anchor,
                         const std::vector<std::string>& folders) {
  // Deepest first, otherwise in their order; a folder lies deeper than its parent by at least one
  // backslash. Each is put in its place as it comes, which needs no sorting code in the program.
  const auto deeper = [](const std::string& a, const std::string& b) {
    return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
  };
  std::vector<std::string> unique;
  for (const std::string& folder : folders) {
    const auto same = [&folder](const std::string& other) { return SamePath(other, folder); };
    if (std::find_if(unique.begin(), unique.end(), same) == unique.end())
      unique.insert(std::upper_bound(unique.begin(), unique.end(), folder, deeper), folder);
  }
  auto at = std::find_if(items.begin(), items.end(), [&anchor](const TInstalledItem& item) {
    return item.Mark == kInstalledFolder && item.Path == anchor;
  });
  for (const std::string& folder : unique)
    at = items.insert(at, TInstalledItem{folder, kInstalledFolder}) + 1;
}

}  // namespace

std::vector<std::string> FoldersBelow(const std::string& parent, const std::string& path) {
  std::vector<std::string> folders;
  const std::string prefix = parent + "\\";
  if (path.size() <= prefix.size() || !SamePath(path.substr(0, prefix.size()), prefix))
    return folders;
  for (size_t end = path.rfind('\\'); end != std::string::npos && end > prefix.size();
       end = path.rfind('\\', end - 1)) {
    folders.push_back(path.substr(0, end));
  }
  return folders;
}

void RecordShortcutFolders(std::vector<TInstalledItem>& items,
                           const std::string& menu_folder,
                           const std::vector<std::string>& shortcut_names) {
  std::vector<std::string> folders;
  for (const std::string& name : shortcut_names) {
    const std::vector<std::string> below =
        FoldersBelow(menu_folder, JoinText({menu_folder, "\\", name}));
    folders.insert(folders.end(), below.begin(), below.end());
  }
  RecordFoldersBefore(items, menu_folder, folders);
}

void RecordTargetFolders(std::vector<TInstalledItem>& items,
                         const std::string& app_folder,
                         const std::string& menu_folder,
                         const std::vector<std::string>& created_folders) {
  std::vector<std::string> folders;
  for (const std::string& folder : created_folders) {
    if (!SamePath(folder, app_folder) && !SamePath(folder, menu_folder))
      folders.push_back(folder);
  }
  RecordFoldersBefore(items, app_folder, folders);
}

std::string WebsiteUrl(const std::string& website) {
  const std::string url = TrimBlanks(website);
  if (url.empty() || url.find("://") != std::string::npos)
    return url;
  return "http://" + url;
}

std::string ContactUrl(const std::string& contact_name, const std::string& contact_email) {
  if (TrimBlanks(contact_email).empty())
    return {};
  if (contact_name.empty())
    return "mailto:" + contact_email;
  return JoinText({"mailto:", contact_name, " <", contact_email, ">"});
}

}  // namespace xa
