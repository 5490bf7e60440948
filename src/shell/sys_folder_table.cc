#include <array>

#include "shell/sys_folders.h"

namespace xa {
namespace {

using S = FolderSource;

constexpr std::array<SysFolderSource, kSysFolderCount> kFolders = {{
    {S::kUserShellFolder, "Desktop"},
    {S::kUserShellFolder, "Start Menu"},
    {S::kUserShellFolder, "Programs"},
    {S::kUserShellFolder, "Startup"},
    {S::kUserShellFolder, "Personal"},
    {S::kUserShellFolder, "My Pictures"},
    {S::kUserShellFolder, "My Music"},
    {S::kUserShellFolder, "My Video"},
    {S::kUserShellFolder, "AppData"},
    {S::kUserShellFolder, "Fonts"},
    {S::kUserShellFolder, "SendTo"},
    {S::kUserShellFolder, "Recent"},
    {S::kUserShellFolder, "Favorites"},
    {S::kUserShellFolder, "Cache"},
    {S::kUserShellFolder, "Cookies"},
    {S::kUserShellFolder, "History"},
    {S::kUserShellFolder, "NetHood"},
    {S::kUserShellFolder, "PrintHood"},
    {S::kUserShellFolder, "Templates"},
    {S::kUserShellFolder, "Local AppData"},
    {S::kUserShellFolder, "Local Settings"},
    {S::kUserShellFolder, "CD Burning"},
    {S::kUserShellFolder, "Administrative Tools"},
    {S::kWindowsDirectory, ""},
    {S::kSystemDirectory, ""},
    {S::kTempDirectory, ""},
    {S::kSystemDrive, ""},
    {S::kBootDrive, "BootDir"},
    {S::kCurrentVersion, "ProgramFilesDir"},
    {S::kCurrentVersion, "CommonFilesDir"},
    {S::kCurrentVersion, "ConfigPath"},
    {S::kCurrentVersion, "DevicePath"},
    {S::kCurrentVersion, "MediaPath"},
    {S::kCurrentVersion, "WallPaperDir"},
    {S::kCommonShellFolder, "Common Administrative Tools"},
    {S::kCommonShellFolder, "Common AppData"},
    {S::kCommonShellFolder, "Common Desktop"},
    {S::kCommonShellFolder, "Common Documents"},
    {S::kCommonShellFolder, "Common Programs"},
    {S::kCommonShellFolder, "Common Start Menu"},
    {S::kCommonShellFolder, "Common Startup"},
    {S::kCommonShellFolder, "Common Templates"},
    {S::kCommonShellFolder, "CommonMusic"},
    {S::kCommonShellFolder, "CommonPictures"},
    {S::kCommonShellFolder, "CommonVideo"},
}};

}  // namespace

SysFolderSource LookUpSysFolder(SysFolderId id) {
  const auto index = static_cast<size_t>(id);
  if (index >= kFolders.size())
    return {FolderSource::kNone, ""};
  return kFolders[index];
}

std::string IncludeTrailingDelimiter(const std::string& path) {
  if (!path.empty() && path.back() == '\\')
    return path;
  return path + "\\";
}

std::string BootDriveFromValue(const std::string& value) {
  std::string drive = value.empty() ? "C:\\" : value;
  if (drive.back() == '\\')
    drive.pop_back();
  return drive;
}

}  // namespace xa
