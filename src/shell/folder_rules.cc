#include "shell/folder_rules.h"

namespace xa {

std::string FolderPart(const std::string& path) {
  const size_t last = path.rfind('\\');
  if (last == std::string::npos)
    return {};
  std::string folder = path.substr(0, last);
  if (folder.size() == 2 && folder[1] == ':')
    folder += '\\';
  return folder;
}

std::string ExcludeTrailingDelimiter(const std::string& path) {
  if (!path.empty() && path.back() == '\\')
    return path.substr(0, path.size() - 1);
  return path;
}

std::string FilePathWithDelimiter(const std::string& path) {
  const size_t last = path.rfind('\\');
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::vector<std::string> MissingFolders(const std::string& folder,
                                        TFunctionRef<bool(const std::string&)> exists) {
  std::vector<std::string> missing;
  std::string path = folder;
  while (!path.empty() && path.back() == '\\')
    path.pop_back();
  while (!path.empty() && !(path.size() == 2 && path[1] == ':') && !exists(path)) {
    missing.push_back(path);
    const size_t end = path.rfind('\\');
    if (end == std::string::npos)
      break;
    path.resize(end);
  }
  return missing;
}

}  // namespace xa
