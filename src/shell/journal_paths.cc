#include "shell/journal_paths.h"

#include <cstdio>

#include "shell/folder_rules.h"

namespace xa {

std::string KeptFilePath(const std::string& path, uint32_t process_id, uint32_t attempt) {
  char name[32];
  std::snprintf(name, sizeof name, "~xa%x-%x.tmp", static_cast<unsigned>(process_id),
                static_cast<unsigned>(attempt));
  return FilePathWithDelimiter(path) + name;
}

std::string FirstMissingKey(const std::string& key,
                            const std::function<bool(const std::string&)>& exists) {
  for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
    const std::string part = key.substr(0, end);
    if (!part.empty() && !exists(part))
      return part;
    if (end == std::string::npos)
      return {};
  }
}

}  // namespace xa
