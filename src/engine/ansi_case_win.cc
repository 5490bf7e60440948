#include <windows.h>

#include "engine/ansi_case.h"

namespace xa {

std::string AnsiUpperCase(const std::string& text) {
  std::string result = text;
  if (!result.empty())
    CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

}  // namespace xa
