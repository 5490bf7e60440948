#include "linklabel/ansi.h"

#include <utility>

namespace xa {

bool TryUtf16ToAnsi(std::u16string_view text, std::string& ansi) {
  std::string converted = Utf16ToAnsi(text);
  // A character the code page lacks comes back as its default character or as a look-alike
  // (best fit); either way the text read back differs.
  if (AnsiToUtf16(converted) != text)
    return false;
  ansi = std::move(converted);
  return true;
}

}  // namespace xa
