#include "linklabel/parser.h"

#include <gtest/gtest.h>

#include <functional>

#include "linklabel/test_canvas.h"
#include "linklabel/tree_dump.h"

namespace xa {
namespace {

std::string Parse(std::u16string_view text) {
  ResetNodeCounters();
  return DumpChildren(TDefaultParser().ParseText(text)->Root());
}

struct ParseCase {
  std::u16string input;
  std::string tree;
};

TEST(ParserTest, TurnsMarkupIntoTheDocumentedTree) {
  const ParseCase cases[] = {
      {u"", ""},
      {u"Read the <link>terms</link>.<br>Then press <B>Next</b>",
       "'Read the ',L0{'terms'},'.',BR,'Then press ',B{'Next'}"},
      {u"<i>i</><U>u</u><p>", "I{'i'},U{'u'},P"},
      {u"a</b>c", "'a'"},
      {u"</b>rest", ""},
      {u"<b>x", "B{'x'}"},
      {u"<B>x</I>y", "B{'x'},'y'"},
      {u"<b><i>x</b>y</i>z", "B{I{'x'},'y'},'z'"},
      {u"<br/>", "?br/"},
      {u"<b >", "?b "},
      {u"<link href=x>y</link>z", "?link href=x,'y'"},
      {u"<b><link href=x>y</link>z</b>w", "B{?link href=x,'y'},'z'"},
      {u"<b>a<br></br>c</b>d", "B{'a',BR},'c'"},
      {u"x<y", "'x',?"},
      {u"a < b", "'a ',? "},
      {u"x<", "'x',?"},
      {u"x</", "'x'"},
      {u"<>t", "?,'t'"},
      {u"&lt;b&gt;", "'<b>'"},
      {u"&LT;&amp;", "'&LT;&amp;'"},
      {u"&&lt;lt;", "'&<lt;'"},
      {u"one\r\ntwo", "'onetwo'"},
      {u"one\ntwo", "'one\\u000Atwo'"},
      {u"<b\r\n>x", "B{'x'}"},
      {u"a  b ", "'a  b '"},
      {u"<Link>a<LINK>b</link></link>c", "L0{'a',L1{'b'}},'c'"},
      {u"<dynamic>x</dynamic>y", "D0,'x'"},
      {u"<\u0131>dotless", "I{'dotless'}"},
      {u"<unknown>x</unknown>y", "?unknown,'x'"},
  };
  for (const ParseCase& c : cases)
    EXPECT_EQ(Parse(c.input), c.tree) << Narrow(c.input);
}

TEST(ParserTest, NestingDeeperThanTheLimitIsFlattenedAndStaysBounded) {
  std::u16string text;
  for (int i = 0; i < kMaxNestingDepth + 50; ++i)
    text += u"<b>";
  text += u"x";
  for (int i = 0; i < kMaxNestingDepth + 50; ++i)
    text += u"</b>";
  text += u"y";
  auto tree = TDefaultParser().ParseText(text);
  EXPECT_EQ(NestingDepth(tree->Root()), kMaxNestingDepth + 1);
  // The deepest node holds the 50 tags beyond the limit and the text.
  const TParentNode* deepest = &tree->Root();
  while (deepest->ChildCount() > 0 && dynamic_cast<TStyleNode*>(deepest->Child(0)) &&
         static_cast<TParentNode*>(deepest->Child(0))->ChildCount() > 0) {
    deepest = static_cast<TParentNode*>(deepest->Child(0));
  }
  EXPECT_EQ(deepest->ChildCount(), 51u);
  // 100 closing tags unwind to the top level; the next ends the parse, so "y" is lost.
  EXPECT_EQ(tree->Root().ChildCount(), 1u);
}

TEST(ParserTest, HugeNestingNeitherOverflowsTheStackNorFails) {
  std::u16string text;
  for (int i = 0; i < 200000; ++i)
    text += u"<link><b>";
  auto tree = TDefaultParser().ParseText(text);
  EXPECT_LE(NestingDepth(tree->Root()), kMaxNestingDepth + 1);
}

class RecordingHandler : public IDynamicNodeHandler {
 public:
  std::function<std::u16string(int32_t)> supply;
  std::vector<int32_t> numbers;

  void InitDynamicNode(std::u16string& source, TDynamicNode* node) override {
    numbers.push_back(node->DynamicNumber());
    EXPECT_TRUE(source.empty());
    if (supply)
      source = supply(node->DynamicNumber());
  }
};

TEST(ParserTest, DynamicContentIsParsedInPlaceAndNumbersLinksInDocumentOrder) {
  RecordingHandler handler;
  handler.supply = [](int32_t) { return u"<link>b</link>"; };
  TDefaultParser parser;
  parser.SetDynamicNodeHandler(&handler);
  ResetNodeCounters();
  auto tree = parser.ParseText(u"<link>a</link><dynamic><link>c</link>");
  EXPECT_EQ(DumpChildren(tree->Root()), "L0{'a'},D0{L1{'b'}},L2{'c'}");
  EXPECT_EQ(handler.numbers, std::vector<int32_t>{0});
}

TEST(ParserTest, DynamicTagsInSuppliedMarkupStayEmptyAndAreNotReported) {
  RecordingHandler handler;
  handler.supply = [](int32_t n) { return n == 0 ? u"<dynamic>z" : u"never"; };
  TDefaultParser parser;
  parser.SetDynamicNodeHandler(&handler);
  ResetNodeCounters();
  auto tree = parser.ParseText(u"<dynamic><DYNAMIC>");
  EXPECT_EQ(DumpChildren(tree->Root()), "D0{D1,'z'},D2{'never'}");
  EXPECT_EQ(handler.numbers, (std::vector<int32_t>{0, 2}));
}

TEST(ParserTest, ReplacingTheHandlerStopsCallsToTheOldOne) {
  RecordingHandler first;
  TDefaultParser parser;
  parser.SetDynamicNodeHandler(&first);
  parser.SetDynamicNodeHandler(nullptr);
  parser.ParseText(u"<dynamic>");
  EXPECT_TRUE(first.numbers.empty());
}

TEST(ParserTest, HandlerFailurePassesOutOfParseText) {
  RecordingHandler handler;
  handler.supply = [](int32_t) -> std::u16string { throw std::runtime_error("boom"); };
  TDefaultParser parser;
  parser.SetDynamicNodeHandler(&handler);
  EXPECT_THROW(parser.ParseText(u"a<dynamic>b"), std::runtime_error);
  // The parser is usable again afterwards.
  parser.SetDynamicNodeHandler(nullptr);
  EXPECT_EQ(DumpChildren(parser.ParseText(u"<b>ok")->Root()), "B{'ok'}");
}

TEST(ParserTest, HandlerMayParseWithTheSameParserMeanwhile) {
  TDefaultParser parser;
  RecordingHandler handler;
  handler.supply = [&parser](int32_t) {
    parser.SetDynamicNodeHandler(nullptr);
    parser.ParseText(u"<i>unrelated</i> text");
    return u"in";
  };
  parser.SetDynamicNodeHandler(&handler);
  ResetNodeCounters();
  auto tree = parser.ParseText(u"<b>a<dynamic>b</b>c");
  EXPECT_EQ(DumpChildren(tree->Root()), "B{'a',D0{'in'},'b'},'c'");
}

TEST(ParserTest, ParseIntoAppendsTopLevelNodesAndReparentsThem) {
  TDefaultParser parser;
  auto tree = parser.ParseText(u"<b>x</b>");
  auto* bold = static_cast<TParentNode*>(tree->Root().Child(0));
  parser.ParseInto(*bold, u"y<i>z</i>");
  EXPECT_EQ(DumpChildren(tree->Root()), "B{'x','y',I{'z'}}");
  for (size_t i = 0; i < bold->ChildCount(); ++i)
    EXPECT_EQ(bold->Child(i)->Parent(), bold);
}

TEST(ParserTest, ParseStringsJoinsEightBitLinesWithoutSeparator) {
  TDefaultParser parser;
  auto tree = parser.ParseStrings({"a<b>x", "y</b>\xE9"});
  EXPECT_EQ(DumpChildren(tree->Root()), "'a',B{'xy'},'\\u00E9'");
}

TEST(ElementEnumeratorTest, PeekAndReadAgreeAndEndIsReported) {
  TElementEnumerator e(u"ab<x></y>");
  EXPECT_EQ(e.PeekElement(), (TElement{etText, u"ab"}));
  EXPECT_EQ(e.ReadElement(), (TElement{etText, u"ab"}));
  EXPECT_EQ(e.ReadElement(), (TElement{etOpenTag, u"x"}));
  EXPECT_FALSE(e.EndOfText());
  EXPECT_EQ(e.PeekElement(), (TElement{etCloseTag, u"y"}));
  EXPECT_EQ(e.ReadElement(), (TElement{etCloseTag, u"y"}));
  EXPECT_TRUE(e.EndOfText());
  try {
    e.PeekElement();
    ADD_FAILURE() << "no exception";
  } catch (const EParserError& error) {
    EXPECT_STREQ(error.what(), "TElementEnumerator.GetNextElement: No more elements to return");
  }
  EXPECT_THROW(e.ReadElement(), EParserError);
}

}  // namespace
}  // namespace xa
