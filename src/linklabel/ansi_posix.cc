#include "linklabel/ansi.h"

namespace xa {

std::u16string AnsiToUtf16(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (char c : text)
    result.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return result;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char16_t c : text)
    result.push_back(c < 0x100 ? static_cast<char>(c) : '?');
  return result;
}

}  // namespace xa
