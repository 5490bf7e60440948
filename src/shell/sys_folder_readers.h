#ifndef XA_SHELL_SYS_FOLDER_READERS_H_
#define XA_SHELL_SYS_FOLDER_READERS_H_

#include <windows.h>

#include <string>

namespace xa {

// The string value `name` of the key `path` below `root`, opened for reading and never created;
// "" when the key or the value is missing. Raises ERegistryException for a non-string value.
std::string ReadFolderValue(HKEY root, const std::string& path, const std::string& name);

// A value of the current user's, or all users', "Shell Folders" key.
std::string ReadUserShellFolder(const std::string& name);
std::string ReadCommonShellFolder(const std::string& name);

// A value of HKEY_LOCAL_MACHINE's CurrentVersion key, with environment references expanded
// when it contains a "%".
std::string ReadCurrentVersionPath(const std::string& name);

// `text` with its environment references expanded, however long the result; `text` itself
// when the expansion fails.
std::string ExpandEnvironment(const std::string& text);

// The boot drive, "C:" unless the Setup key names another.
std::string GetBootDir();

// The Windows, system and temporary folders as Windows gives them, never truncated; the
// temporary folder keeps its trailing backslash.
std::string GetWinDir();
std::string GetWinSysDir();
std::string GetTempDir();

}  // namespace xa

#endif  // XA_SHELL_SYS_FOLDER_READERS_H_
