#include "shell/journal_paths.h"

#include "package/text_join.h"
#include "shell/folder_rules.h"

namespace xa {

namespace {

// `value` in lower-case hexadecimal digits.
std::string Hex(uint32_t value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789abcdef"[value % 16]);
    value /= 16;
  } while (value != 0);
  return digits;
}

}  // namespace

// Formatted without printf, which would bring its whole formatting machinery into the program.
std::string KeptFilePath(const std::string& path, uint32_t process_id, uint32_t attempt) {
  return JoinText({FilePathWithDelimiter(path), "~xa", Hex(process_id), "-", Hex(attempt), ".tmp"});
}

std::string FirstMissingKey(const std::string& key, TFunctionRef<bool(const std::string&)> exists) {
  for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
    const std::string part = key.substr(0, end);
    if (!part.empty() && !exists(part))
      return part;
    if (end == std::string::npos)
      return {};
  }
}

}  // namespace xa
