// libFuzzer target: origin.txt contents from a user's profile. Reading them never crashes, and
// a path it takes is a clean absolute path that it takes again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/data_folders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto path = xa::ParseOrigin(bytes);
  if (!path)
    return 0;
  if (path->size() < 3 || path->size() > xa::kMaxOriginPathLength ||
      path->find(u'/') != std::u16string::npos || path->find(u'\n') != std::u16string::npos)
    std::abort();
  std::string again("\xFF\xFE", 2);
  for (char16_t c : *path) {
    again.push_back(static_cast<char>(c & 0xFF));
    again.push_back(static_cast<char>(c >> 8));
  }
  if (xa::ParseOrigin(again) != path)
    std::abort();
  return 0;
}
