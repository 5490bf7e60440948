#include "engine/ansi_case.h"

namespace xa {

std::string AsciiLowerCase(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

}  // namespace xa
