#include "package/scramble.h"

#include <gtest/gtest.h>

#include <set>

namespace xa {
namespace {

TEST(ScrambleTest, AlphabetHas65DistinctPrintableCharacters) {
  const std::set<char> distinct(ScrambleAlphabet.begin(), ScrambleAlphabet.end());
  EXPECT_EQ(distinct.size(), 65u);
  for (char c : ScrambleAlphabet)
    EXPECT_TRUE(c > ' ' && c < 127) << static_cast<int>(c);
}

TEST(ScrambleTest, LengthsAndPadding) {
  const char pad = ScrambleAlphabet[64];
  struct Case {
    std::string text;
    size_t length;
    size_t pads;
  };
  const Case cases[] = {{"", 0, 0}, {"a", 4, 2}, {"ab", 4, 1}, {"abc", 4, 0}, {"abcd", 8, 2}};
  for (const Case& c : cases) {
    const std::string s = ScrambleText(c.text);
    EXPECT_EQ(s.size(), c.length) << c.text;
    EXPECT_EQ(static_cast<size_t>(std::count(s.begin(), s.end(), pad)), c.pads) << c.text;
  }
}

TEST(ScrambleTest, DigitsFollowTheBase64Grouping) {
  // "Man" is 0x4D 0x61 0x6E: digits 19, 22, 5, 46.
  const std::string expected = {ScrambleAlphabet[19], ScrambleAlphabet[22], ScrambleAlphabet[5],
                                ScrambleAlphabet[46]};
  EXPECT_EQ(ScrambleText("Man"), expected);
}

TEST(ScrambleTest, RoundTripsEveryByteValueAndLength) {
  std::string all;
  for (int i = 0; i < 256; ++i)
    all.push_back(static_cast<char>(i));
  for (size_t length = 0; length <= all.size(); ++length) {
    const std::string text = all.substr(256 - length);
    ASSERT_EQ(UnscrambleText(ScrambleText(text)), text) << length;
  }
}

TEST(ScrambleTest, UnscrambleOfIrregularInput) {
  const std::string full = ScrambleText("xyz");
  EXPECT_EQ(UnscrambleText(full.substr(0, 1)), "");
  EXPECT_EQ(UnscrambleText(full + full.substr(0, 1)), "xyz");
  EXPECT_EQ(UnscrambleText(full.substr(0, 2)), "x");
  EXPECT_EQ(UnscrambleText(full.substr(0, 3)), "xy");
  // Characters outside the table count as digit 0.
  const std::string zeros(4, ScrambleAlphabet[0]);
  EXPECT_EQ(UnscrambleText("    "), UnscrambleText(zeros));
  EXPECT_EQ(UnscrambleText(zeros), std::string(3, '\0'));
}

}  // namespace
}  // namespace xa
