#include "xapack/utf8.h"

#include <gtest/gtest.h>

#include "xapack/os_services.h"

namespace xa::xapack {
namespace {

struct DecodeCase {
  const char* name;
  std::string text;
  std::optional<std::u32string> code_points;
};

const DecodeCase kDecodeCases[] = {
    {"empty", "", U""},
    {"ascii", "Ab~", U"Ab~"},
    {"two bytes", "\xC3\xA9", U"\u00E9"},
    {"three bytes", "\xE2\x82\xAC", U"\u20AC"},
    {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
    {"lone continuation", "\x80", std::nullopt},
    {"overlong slash", "\xC0\xAF", std::nullopt},
    {"overlong three bytes", "\xE0\x80\xAF", std::nullopt},
    {"surrogate", "\xED\xA0\x80", std::nullopt},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", std::nullopt},
    {"cut short", "\xE2\x82", std::nullopt},
    {"bad continuation", "\xC3(", std::nullopt},
};

TEST(Utf8Test, DecodesValidTextAndRefusesMalformedText) {
  for (const DecodeCase& c : kDecodeCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeUtf8(c.text), c.code_points);
  }
}

TEST(Utf8Test, EncodingRoundTripsEveryLength) {
  const std::u32string code_points = U"a\u00E9\u20AC\U0001F600\u07FF\uFFFD";
  std::string text;
  for (const char32_t c : code_points)
    AppendUtf8(text, c);
  EXPECT_EQ(text.size(), 1u + 2 + 3 + 4 + 2 + 3);
  EXPECT_EQ(DecodeUtf8(text), code_points);
}

#ifndef _WIN32
// Records hold Windows-1252 text on this side; Windows uses its own ANSI code page.
TEST(AnsiTextTest, ConvertsWindows1252BothWays) {
  EXPECT_EQ(Utf8ToAnsi("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D"),
            std::string("Caf\xE9 \x80 \x93q\x94"));
  EXPECT_EQ(AnsiToUtf8("Caf\xE9 \x80 \x93q\x94"),
            "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D");
  EXPECT_EQ(AnsiToUtf8("\x81"), "\xC2\x81");
}

TEST(AnsiTextTest, RefusesCharactersWithoutAnAnsiForm) {
  EXPECT_FALSE(Utf8ToAnsi("\xE4\xB8\xAD").has_value());  // U+4E2D
  EXPECT_FALSE(Utf8ToAnsi("\xC3").has_value());
}
#endif

TEST(AnsiTextTest, AsciiPassesUnchanged) {
  EXPECT_EQ(Utf8ToAnsi("{app}\\Docs\\a.txt"), std::string("{app}\\Docs\\a.txt"));
  EXPECT_EQ(AnsiToUtf8("Sample 2.10"), "Sample 2.10");
}

}  // namespace
}  // namespace xa::xapack
