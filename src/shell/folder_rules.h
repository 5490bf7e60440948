#ifndef XA_SHELL_FOLDER_RULES_H_
#define XA_SHELL_FOLDER_RULES_H_

#include <string>
#include <vector>

#include "package/function_ref.h"

namespace xa {

// The text before the last backslash of `path`, keeping the backslash of a bare drive
// ("C:\x" gives "C:\"); "" when there is no backslash.
std::string FolderPart(const std::string& path);

// `path` with one trailing backslash removed.
std::string ExcludeTrailingDelimiter(const std::string& path);

// The text up to and including the last backslash of `path`; "" when there is none.
std::string FilePathWithDelimiter(const std::string& path);

// The folders that creating `folder` with all its parents makes: `folder` and each parent up to
// the first one `exists` confirms, deepest first; none when `folder` exists. Drive roots ("C:")
// and an empty path are never listed.
std::vector<std::string> MissingFolders(const std::string& folder,
                                        TFunctionRef<bool(const std::string&)> exists);

// True when `path` names an existing folder. Windows only.
bool DirectoryExists(const std::string& path);

// True when `path` names an existing file, not a folder. Windows only.
bool FileExists(const std::string& path);

// Creates the folder `path` and all its missing parents. Stops quietly at a path shorter than
// three characters, an existing folder or a drive root; a folder that cannot be created is not
// reported (the next write into it fails). Raises Exception "Unable to create directory" for
// an empty path. Windows only.
void ForceDirectories(const std::string& path);

}  // namespace xa

#endif  // XA_SHELL_FOLDER_RULES_H_
