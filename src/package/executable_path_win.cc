#include "package/executable_path.h"

#include <windows.h>

#include <vector>

namespace xa {

std::string ExecutablePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return std::string();
    if (length < path.size())
      return std::string(path.data(), length);
    path.resize(path.size() * 2);
  }
}

}  // namespace xa
