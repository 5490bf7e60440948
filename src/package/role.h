#ifndef XA_PACKAGE_ROLE_H_
#define XA_PACKAGE_ROLE_H_

#include <string_view>

namespace xa {

// The file-name part of a Windows path: the text after the last "\", "/" or ":".
std::string_view FileNamePart(std::string_view path);

// The file-name part of a Windows path without its extension (the text from the last "."), as
// message boxes and logs name a program before its record named it.
std::string_view FileTitlePart(std::string_view path);

// True when the program at `executable_path` runs as the uninstaller: its file name is
// "Uninstall.exe", ignoring the case of the ASCII letters only. Folder and record play no part.
bool IsUninstallRole(std::string_view executable_path);

}  // namespace xa

#endif  // XA_PACKAGE_ROLE_H_
