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

}  // namespace xa
