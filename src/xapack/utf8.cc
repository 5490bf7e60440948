#include "xapack/utf8.h"

#include <cstdint>

namespace xa::xapack {
namespace {

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
int SequenceLength(uint8_t lead) {
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    return 2;
  if (lead >= 0xE0 && lead <= 0xEF)
    return 3;
  if (lead >= 0xF0 && lead <= 0xF4)
    return 4;
  return 0;
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  std::u32string result;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<uint8_t>(text[i]);
    const int length = SequenceLength(lead);
    if (length == 0 || i + static_cast<size_t>(length) > text.size())
      return std::nullopt;
    char32_t code_point = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<uint8_t>(text[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80)
        return std::nullopt;
      code_point = code_point << 6 | (next & 0x3F);
    }
    if (code_point < kMinimum[length] || code_point > 0x10FFFF ||
        (code_point >= 0xD800 && code_point <= 0xDFFF))
      return std::nullopt;
    result.push_back(code_point);
    i += static_cast<size_t>(length);
  }
  return result;
}

void AppendUtf8(std::string& text, char32_t code_point) {
  if (code_point < 0x80) {
    text.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    text.push_back(static_cast<char>(0xC0 | code_point >> 6));
    text.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    text.push_back(static_cast<char>(0xE0 | code_point >> 12));
    text.push_back(static_cast<char>(0x80 | (code_point >> 6 & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    text.push_back(static_cast<char>(0xF0 | code_point >> 18));
    text.push_back(static_cast<char>(0x80 | (code_point >> 12 & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (code_point >> 6 & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

std::string Utf8FromFsPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::filesystem::path FsPathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace xa::xapack
