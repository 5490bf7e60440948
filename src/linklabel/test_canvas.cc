#include "linklabel/test_canvas.h"

#include <cstdio>

namespace xa {

int32_t TestCanvas::CharWidth(TFontStyles style) const {
  return (6 + (style.Has(fsBold) ? 2 : 0) + (style.Has(fsItalic) ? 1 : 0)) * scale_;
}

int32_t TestCanvas::TextWidth(std::u16string_view text) {
  return static_cast<int32_t>(text.size()) * CharWidth(style_);
}

int32_t TestCanvas::TextHeight(std::u16string_view) {
  return (style_.Has(fsBold) ? 16 : 12) * scale_;
}

void TestCanvas::TextOut(int32_t x, int32_t y, std::u16string_view text) {
  draws.push_back({x, y, std::u16string(text), style_, color_});
}

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

}  // namespace xa
