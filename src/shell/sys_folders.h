#ifndef XA_SHELL_SYS_FOLDERS_H_
#define XA_SHELL_SYS_FOLDERS_H_

#include <cstdint>
#include <string>

namespace xa {

// Windows special folders by their one-byte id.
enum class SysFolderId : uint8_t {
  kUserDesktop = 0,
  kUserStartMenu = 1,
  kUserPrograms = 2,
  kUserStartup = 3,
  kUserDocuments = 4,
  kUserPictures = 5,
  kUserMusic = 6,
  kUserVideo = 7,
  kUserAppData = 8,
  kFonts = 9,
  kSendTo = 10,
  kRecent = 11,
  kFavorites = 12,
  kInternetCache = 13,
  kCookies = 14,
  kHistory = 15,
  kNetHood = 16,
  kPrintHood = 17,
  kUserTemplates = 18,
  kUserLocalAppData = 19,
  kUserLocalSettings = 20,
  kCdBurning = 21,
  kUserAdminTools = 22,
  kWindows = 23,
  kSystem = 24,
  kTemp = 25,
  kSystemDrive = 26,
  kBootDrive = 27,
  kProgramFiles = 28,
  kCommonFiles = 29,
  kConfigPath = 30,
  kDevicePath = 31,
  kMediaPath = 32,
  kWallpaperDir = 33,
  kCommonAdminTools = 34,
  kCommonAppData = 35,
  kCommonDesktop = 36,
  kCommonDocuments = 37,
  kCommonPrograms = 38,
  kCommonStartMenu = 39,
  kCommonStartup = 40,
  kCommonTemplates = 41,
  kCommonMusic = 42,
  kCommonPictures = 43,
  kCommonVideo = 44,
};

inline constexpr int kSysFolderCount = 45;

// Where a special folder's path comes from.
enum class FolderSource {
  kNone,               // unknown id
  kUserShellFolder,    // HKEY_CURRENT_USER Shell Folders value
  kCommonShellFolder,  // HKEY_LOCAL_MACHINE Shell Folders value
  kCurrentVersion,     // HKEY_LOCAL_MACHINE CurrentVersion value, environment expanded
  kWindowsDirectory,
  kSystemDirectory,
  kTempDirectory,
  kSystemDrive,
  kBootDrive,
};

struct SysFolderSource {
  FolderSource source;
  const char* value_name;  // registry value read; empty for the other sources
};

// The source of the folder `id`; kNone for an id outside 0 to 44.
SysFolderSource LookUpSysFolder(SysFolderId id);

// `path` with a backslash appended unless it already ends in one; "" becomes "\".
std::string IncludeTrailingDelimiter(const std::string& path);

// The boot drive from the Setup key's "BootDir" value: "C:\" when empty, then without one
// trailing backslash.
std::string BootDriveFromValue(const std::string& value);

// The path of the special folder `id` as the registry or Windows give it (the boot drive
// without its trailing backslash), with a trailing backslash added when
// `include_trailing_delimiter`, even to an empty result. A missing key or value, or an unknown
// id, gives "". Raises ERegistryException "Invalid data type for '%s'" for a value that is not
// a string. Windows only.
std::string GetSysFolder(SysFolderId id, bool include_trailing_delimiter);

}  // namespace xa

#endif  // XA_SHELL_SYS_FOLDERS_H_
