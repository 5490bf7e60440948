#include "linklabel/link_tools.h"

#include <gtest/gtest.h>

#include "linklabel/test_canvas.h"
#include "linklabel/uni_utils.h"

namespace xa {
namespace {

TEST(ToolsTest, StaticClassesCannotBeInstantiated) {
  try {
    TStringTools tools;
    ADD_FAILURE() << "no exception";
  } catch (const EGenericToolsError& e) {
    EXPECT_STREQ(e.what(), "This class cannot be instantiated");
  }
  EXPECT_THROW(TGraphicTools(), EGenericToolsError);
}

TEST(ToolsTest, StartsAndEndsWithAreExactAndCaseSensitive) {
  EXPECT_TRUE(TStringTools::StartsWith(u"abc", u"ab"));
  EXPECT_TRUE(TStringTools::StartsWith(u"abc", u""));
  EXPECT_FALSE(TStringTools::StartsWith(u"abc", u"AB"));
  EXPECT_FALSE(TStringTools::StartsWith(u"a", u"ab"));
  EXPECT_TRUE(TStringTools::EndsWith(u"abc ", u" "));
  EXPECT_FALSE(TStringTools::EndsWith(u"c", u"bc"));
  EXPECT_FALSE(TStringTools::EndsWith(u"", u" "));
}

struct ReplaceCase {
  std::u16string old_text;
  std::u16string new_text;
  std::u16string input;
  std::u16string output;
  bool replaced;
};

TEST(ToolsTest, ReplaceAllRescansUntilNothingIsLeft) {
  const ReplaceCase cases[] = {
      {u"ab", u"a", u"aabb", u"aa", true},  // each replacement forms a new occurrence
      {u"&lt;", u"<", u"x&lt;&lt;", u"x<<", true}, {u"&lt;", u"<", u"&LT;", u"&LT;", false},
      {u"a", u"aa", u"xa", u"xaa", true},  // would never end if rescanned
      {u"", u"x", u"abc", u"abc", false},          {u"abc", u"", u"abc", u"", true},
  };
  for (const ReplaceCase& c : cases) {
    std::u16string s = c.input;
    EXPECT_EQ(TStringTools::ReplaceAll(c.old_text, c.new_text, s), c.replaced) << Narrow(c.input);
    EXPECT_EQ(s, c.output) << Narrow(c.input);
  }
}

TEST(ToolsTest, RemoveLineBreaksRemovesCrLfPairsOnly) {
  EXPECT_EQ(TStringTools::RemoveLineBreaks(u"a\r\nb\rc\nd"), u"ab\rc\nd");
  EXPECT_EQ(TStringTools::RemoveLineBreaks(u"\r\r\n\n"), u"\r\n");
  EXPECT_EQ(TStringTools::RemoveLineBreaks(u""), u"");
}

TEST(ToolsTest, PointInRectCountsAllFourEdges) {
  const TRect r{10, 20, 30, 40};
  const std::pair<TPoint, bool> cases[] = {
      {{10, 20}, true},  {{30, 40}, true},  {{20, 30}, true},  {{9, 30}, false},
      {{31, 30}, false}, {{20, 19}, false}, {{20, 41}, false},
  };
  for (const auto& [p, inside] : cases)
    EXPECT_EQ(TGraphicTools::PointInRect(r, p), inside) << p.X << "," << p.Y;
}

TEST(UniUtilsTest, CopyInsertDeleteClipOutOfRangeArguments) {
  EXPECT_EQ(uni::Copy(u"hello", 2, 3), u"ell");
  EXPECT_EQ(uni::Copy(u"hello", 4, 100), u"lo");
  EXPECT_EQ(uni::Copy(u"hello", 0, 2), u"he");
  EXPECT_EQ(uni::Copy(u"hello", 6, 1), u"");
  EXPECT_EQ(uni::Copy(u"hello", 2, -1), u"");
  std::u16string s = u"ac";
  uni::Insert(u"b", s, 2);
  EXPECT_EQ(s, u"abc");
  uni::Insert(u"d", s, 99);
  EXPECT_EQ(s, u"abcd");
  uni::Insert(u"_", s, -5);
  EXPECT_EQ(s, u"_abcd");
  uni::Delete(s, 2, 2);
  EXPECT_EQ(s, u"_cd");
  uni::Delete(s, 3, 50);
  EXPECT_EQ(s, u"_c");
  uni::Delete(s, 0, 1);
  uni::Delete(s, 3, 1);
  EXPECT_EQ(s, u"_c");
}

TEST(UniUtilsTest, PosTrimAndReplace) {
  EXPECT_EQ(uni::Pos(u"lo", u"hello lo"), 4);
  EXPECT_EQ(uni::Pos(u"x", u"hello"), 0);
  EXPECT_EQ(uni::Pos(u"", u"hello"), 0);
  EXPECT_EQ(uni::TrimTrailing(u" a \t\r\n\x01"), u" a");
  EXPECT_EQ(uni::TrimTrailing(u"   "), u"");
  EXPECT_EQ(uni::Replace(u"aXbxc", u"x", u"-", uni::kReplaceAll), u"aXb-c");
  EXPECT_EQ(uni::Replace(u"aXbxc", u"x", u"-", uni::kReplaceAll | uni::kIgnoreCase), u"a-b-c");
  EXPECT_EQ(uni::Replace(u"xx", u"x", u"-", 0), u"-x");
}

TEST(UniUtilsTest, UpperCaseCoversLatinGreekAndCyrillic) {
  EXPECT_EQ(uni::UpperCase(u"link Br dynamic"), u"LINK BR DYNAMIC");
  EXPECT_EQ(uni::UpperCase(u"\u00E9\u00FF\u0131\u0101\u013A"), u"\u00C9\u0178I\u0100\u0139");
  EXPECT_EQ(uni::UpperCase(u"\u03B1\u03C2\u0430\u0451"), u"\u0391\u03A3\u0410\u0401");
  EXPECT_EQ(uni::UpperCase(u"1<>\u00D7\u00F7\u4E2D"), u"1<>\u00D7\u00F7\u4E2D");
}

}  // namespace
}  // namespace xa
