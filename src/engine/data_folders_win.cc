#include <windows.h>

#include <climits>

#include "engine/data_folders.h"
#include "package/errors.h"
#include "package/text_join.h"
#include "shell/folder_rules.h"
#include "shell/scoped_find_handle.h"
#include "shell/scoped_handle.h"
#include "shell/sys_folders.h"

namespace xa {
namespace {

// Up to one byte more than an origin.txt may have, so that a longer file shows; "" when the
// file cannot be read.
std::string ReadOriginBytes(const std::string& path) {
  TScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid() || GetFileType(file.Get()) != FILE_TYPE_DISK)
    return {};
  std::string bytes(kMaxOriginFileSize + 1, '\0');
  size_t filled = 0;
  while (filled < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled),
                  &read, nullptr))
      return {};
    if (read == 0)
      break;
    filled += read;
  }
  bytes.resize(filled);
  return bytes;
}

// `text` in the ANSI code page; nothing when the code page cannot hold it exactly, as the
// engine's paths are ANSI and an approximated path would name another folder.
std::optional<std::string> ExactAnsi(const std::u16string& text) {
  if (text.empty() || text.size() > INT_MAX / 4)
    return std::nullopt;
  const std::wstring wide(text.begin(), text.end());
  const int size = static_cast<int>(wide.size());
  const int ansi_size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (ansi_size <= 0)
    return std::nullopt;
  std::string ansi(static_cast<size_t>(ansi_size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), ansi_size, nullptr, nullptr);
  std::wstring back(wide.size(), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansi_size, back.data(), size) != size ||
      back != wide)
    return std::nullopt;
  return ansi;
}

std::optional<TDataFolder> ReadDataFolder(const std::string& folder) {
  if (!DirectoryExists(JoinText({folder, "\\", kMql4FolderName})))
    return std::nullopt;
  const std::optional<std::u16string> origin =
      ParseOrigin(ReadOriginBytes(JoinText({folder, "\\", kOriginFileName})));
  if (!origin)
    return std::nullopt;
  const std::optional<std::string> installation = ExactAnsi(*origin);
  if (!installation)
    return std::nullopt;
  return TDataFolder{folder, *installation};
}

}  // namespace

std::string DataFoldersRoot() {
  std::string app_data;
  try {
    app_data = GetSysFolder(SysFolderId::kUserAppData, false);
  } catch (const Exception&) {
    // A damaged profile setting only hides the data folders; the install goes on without them.
    return {};
  }
  if (app_data.empty())
    return {};
  return JoinText({app_data, "\\", kDataFoldersPath});
}

std::vector<TDataFolder> ReadDataFolders(const std::string& root) {
  std::vector<TDataFolder> data_folders;
  if (root.empty())
    return data_folders;
  WIN32_FIND_DATAA entry;
  TScopedFindHandle find(FindFirstFileA((root + "\\*").c_str(), &entry));
  if (!find.IsValid())
    return data_folders;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == ".." || !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      continue;
    if (std::optional<TDataFolder> data_folder = ReadDataFolder(JoinText({root, "\\", name})))
      data_folders.push_back(std::move(*data_folder));
  } while (FindNextFileA(find.Get(), &entry));
  return data_folders;
}

std::vector<std::string> TerminalDestinations(const std::vector<std::string>& terminal_folders) {
  const std::vector<TDataFolder> data_folders = ReadDataFolders(DataFoldersRoot());
  return InstallDestinations(terminal_folders, [&data_folders](const std::string& terminal) {
    return DataFoldersOf(data_folders, terminal);
  });
}

}  // namespace xa
