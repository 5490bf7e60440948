#include "package/text_join.h"

namespace xa {

std::string JoinText(std::initializer_list<std::string_view> parts) {
  size_t size = 0;
  for (std::string_view part : parts)
    size += part.size();
  std::string text;
  text.reserve(size);
  for (std::string_view part : parts)
    text += part;
  return text;
}

void AppendDigits(std::string& text, int value, int digits) {
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  text.resize(text.size() + static_cast<size_t>(digits));
  for (size_t at = text.size(); digits-- > 0; magnitude /= 10)
    text[--at] = static_cast<char>('0' + magnitude % 10);
}

}  // namespace xa
