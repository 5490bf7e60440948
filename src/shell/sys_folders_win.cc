#include "shell/registry_key.h"
#include "shell/sys_folder_readers.h"
#include "shell/sys_folders.h"

namespace xa {
namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kSetupKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";

// Calls a directory function of the GetWindowsDirectoryA kind, growing the buffer to the size
// it asks for, so that a long path is never cut.
template <typename Call>
std::string ReadDirectory(Call call) {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const UINT length = call(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0)
      return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);
  }
}

std::string ReadSource(const SysFolderSource& source) {
  switch (source.source) {
    case FolderSource::kUserShellFolder:
      return ReadUserShellFolder(source.value_name);
    case FolderSource::kCommonShellFolder:
      return ReadCommonShellFolder(source.value_name);
    case FolderSource::kCurrentVersion:
      return ReadCurrentVersionPath(source.value_name);
    case FolderSource::kWindowsDirectory:
      return GetWinDir();
    case FolderSource::kSystemDirectory:
      return GetWinSysDir();
    case FolderSource::kTempDirectory:
      return GetTempDir();
    case FolderSource::kSystemDrive:
      return GetWinSysDir().substr(0, 2);
    case FolderSource::kBootDrive:
      return GetBootDir();
    case FolderSource::kNone:
      break;
  }
  return {};
}

}  // namespace

std::string ReadFolderValue(HKEY root, const std::string& path, const std::string& name) {
  TRegKey key;
  if (!key.Open(root, path, KEY_READ))
    return {};
  return key.ReadString(name);
}

std::string ReadUserShellFolder(const std::string& name) {
  return ReadFolderValue(HKEY_CURRENT_USER, kShellFoldersKey, name);
}

std::string ReadCommonShellFolder(const std::string& name) {
  return ReadFolderValue(HKEY_LOCAL_MACHINE, kShellFoldersKey, name);
}

std::string ReadCurrentVersionPath(const std::string& name) {
  const std::string value = ReadFolderValue(HKEY_LOCAL_MACHINE, kCurrentVersionKey, name);
  if (value.find('%') == std::string::npos)
    return value;
  return ExpandEnvironment(value);
}

std::string ExpandEnvironment(const std::string& text) {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    // The result counts the terminating NUL, both when it fits and when it asks for more.
    const DWORD needed =
        ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed == 0)
      return text;
    if (needed <= buffer.size()) {
      buffer.resize(needed - 1);
      return buffer.substr(0, buffer.find('\0'));
    }
    buffer.resize(needed);
  }
}

std::string GetBootDir() {
  return BootDriveFromValue(ReadFolderValue(HKEY_LOCAL_MACHINE, kSetupKey, "BootDir"));
}

std::string GetWinDir() {
  return ReadDirectory([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string GetWinSysDir() {
  return ReadDirectory([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
}

std::string GetTempDir() {
  return ReadDirectory([](char* buffer, UINT size) {
    return static_cast<UINT>(GetTempPathA(static_cast<DWORD>(size), buffer));
  });
}

std::string GetSysFolder(SysFolderId id, bool include_trailing_delimiter) {
  const std::string path = ReadSource(LookUpSysFolder(id));
  return include_trailing_delimiter ? IncludeTrailingDelimiter(path) : path;
}

}  // namespace xa
