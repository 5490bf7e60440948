#include "xapack/rtf_document.h"

#include "xapack/utf8.h"

namespace xa::xapack {
namespace {

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs18\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// RTF's \u takes a signed 16-bit number; the "?" is what readers without Unicode show.
void AppendUnicode(std::string& rtf, char16_t unit) {
  rtf += "\\u" + std::to_string(static_cast<int16_t>(unit)) + "?";
}

void AppendCharacter(std::string& rtf, char32_t c) {
  if (c == '\\' || c == '{' || c == '}') {
    rtf += '\\';
    rtf += static_cast<char>(c);
  } else if (c == '\t') {
    rtf += "\\tab ";
  } else if (c < 0x80) {
    rtf += static_cast<char>(c);
  } else if (c < 0x10000) {
    AppendUnicode(rtf, static_cast<char16_t>(c));
  } else {
    const char32_t rest = c - 0x10000;
    AppendUnicode(rtf, static_cast<char16_t>(0xD800 + (rest >> 10)));
    AppendUnicode(rtf, static_cast<char16_t>(0xDC00 + (rest & 0x3FF)));
  }
}

}  // namespace

std::optional<std::string> WrapTextAsRtf(std::string_view text) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  const auto code_points = DecodeUtf8(text);
  if (!code_points)
    return std::nullopt;
  std::string rtf(kHeader);
  for (size_t i = 0; i < code_points->size(); ++i) {
    const char32_t c = (*code_points)[i];
    if (c == '\r' || c == '\n') {
      // "\r\n" is one line break.
      if (c == '\r' && i + 1 < code_points->size() && (*code_points)[i + 1] == '\n')
        ++i;
      rtf += "\\par\n";
    } else {
      AppendCharacter(rtf, c);
    }
  }
  rtf += "}";
  return rtf;
}

bool LooksLikeRtf(std::string_view bytes) {
  return bytes.substr(0, 5) == "{\\rtf";
}

}  // namespace xa::xapack
