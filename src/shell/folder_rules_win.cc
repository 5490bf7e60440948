#include <windows.h>

#include "package/errors.h"
#include "shell/folder_rules.h"

namespace xa {

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void ForceDirectories(const std::string& path) {
  if (path.empty())
    Raise<Exception>("Unable to create directory");
  const std::string folder = ExcludeTrailingDelimiter(path);
  const std::string parent = FilePathWithDelimiter(folder);
  if (folder.size() < 3 || DirectoryExists(folder) || parent == folder)
    return;
  ForceDirectories(parent);
  CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace xa
