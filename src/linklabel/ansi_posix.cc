#include "linklabel/ansi.h"

namespace xa {

std::u16string AnsiToUtf16(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (char c : text)
    result.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return result;
}

}  // namespace xa
