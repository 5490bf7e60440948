#include "engine/ansi_case.h"

namespace xa {

std::string AnsiUpperCase(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

}  // namespace xa
