#include <gtest/gtest.h>

#include <string>

#include "shell/shell_text.h"

namespace xa {
namespace {

using namespace std::string_literals;

TEST(InternetShortcutTextTest, HasExactlyThreeLines) {
  EXPECT_EQ(InternetShortcutText("http://example.com/a?b=c"),
            "[InternetShortcut]\r\nURL=http://example.com/a?b=c\r\n\r\n");
  EXPECT_EQ(InternetShortcutText("MAILTO:"), "[InternetShortcut]\r\nURL=MAILTO:\r\n\r\n");
}

struct LineBreakCase {
  std::string text;
  std::string stored;
};

class NormalizeLineBreaksTest : public testing::TestWithParam<LineBreakCase> {};

TEST_P(NormalizeLineBreaksTest, EndsEveryLineWithCrLf) {
  EXPECT_EQ(NormalizeLineBreaks(GetParam().text), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Texts,
                         NormalizeLineBreaksTest,
                         testing::Values(LineBreakCase{"{\\rtf1}", "{\\rtf1}\r\n"},
                                         LineBreakCase{"a\nb\n", "a\r\nb\r\n"},
                                         LineBreakCase{"a\rb", "a\r\nb\r\n"},
                                         LineBreakCase{"a\r\nb\r\n", "a\r\nb\r\n"},
                                         LineBreakCase{"a\n\r\nb", "a\r\n\r\nb\r\n"},
                                         LineBreakCase{"a\r\rb", "a\r\n\r\nb\r\n"},
                                         LineBreakCase{"\r\n", "\r\n"},
                                         LineBreakCase{"", ""},
                                         LineBreakCase{"ab\0cd\n"s, "ab\r\n"},
                                         LineBreakCase{"\xE9t\xE9\n", "\xE9t\xE9\r\n"}));

}  // namespace
}  // namespace xa
