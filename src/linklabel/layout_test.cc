#include "linklabel/renderer.h"

#include <gtest/gtest.h>

#include "linklabel/parser.h"
#include "linklabel/test_canvas.h"
#include "linklabel/word_enumerator.h"

namespace xa {
namespace {

constexpr TColor kLink = 0xFF0000;
constexpr TColor kClicked = 0x0000FF;
constexpr TColor kHot = 0x800080;

struct Piece {
  int32_t x;
  int32_t y;
  std::string text;
  bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Piece& p) {
  return os << "(" << p.x << "," << p.y << ",'" << p.text << "')";
}

// A parsed caption laid out on the test surface.
class Layout {
 public:
  explicit Layout(std::u16string_view caption, TRect rect = {0, 0, 60, 1000}) : rect_(rect) {
    ResetNodeCounters();
    tree_ = TDefaultParser().ParseText(caption);
    renderer_.WriteLinkColor(kLink);
    renderer_.WriteLinkColorClicked(kClicked);
    renderer_.WriteLinkColorHot(kHot);
    renderer_.WriteLinkStyle({fsUnderline});
  }

  std::vector<Piece> Render() {
    canvas_.draws.clear();
    renderer_.RenderTree(canvas_, rect_, *tree_);
    return Pieces();
  }

  std::vector<Piece> RenderNode(TAreaNode& node) {
    canvas_.draws.clear();
    renderer_.RenderNode(canvas_, rect_, node);
    return Pieces();
  }

  std::vector<Piece> Pieces() const {
    std::vector<Piece> pieces;
    for (const DrawRecord& d : canvas_.draws)
      pieces.push_back({d.x, d.y, Narrow(d.text)});
    return pieces;
  }

  TLinkNode& Link(size_t n) {
    return *static_cast<TLinkNode*>(tree_->Root().CollectTopLevelNodes(ClassOf<TLinkNode>()).at(n));
  }

  TestCanvas canvas_;
  TRect rect_;
  std::unique_ptr<TNodeTree> tree_;
  TDefaultRenderer renderer_;
};

struct LayoutCase {
  std::u16string caption;
  int32_t right;
  std::vector<Piece> pieces;
};

TEST(LayoutTest, WrapsLinesAsSpecifiedOnTheTestSurface) {
  const LayoutCase cases[] = {
      // The wrapped line is drawn without its trailing space.
      {u"hello world foo", 60, {{0, 0, "hello"}, {0, 12, "world foo"}}},
      // Right end without trailing space exactly on Right wraps; one pixel more does not.
      {u"abcde fghij", 66, {{0, 0, "abcde"}, {0, 12, "fghij"}}},
      {u"abcde fghij", 67, {{0, 0, "abcde fghij"}}},
      // Lone-space words never wrap.
      {u"a  b", 12, {{0, 0, "a"}, {0, 12, "b"}}},
      // A word wider than the rectangle at the top-left corner overflows.
      {u"wwwwwwwwwwww x", 60, {{0, 0, "wwwwwwwwwwww"}, {0, 12, "x"}}},
      // The same word first on a later line wraps once more, below an empty piece.
      {u"a<br>wwwwwwwwwwww", 60, {{0, 0, "a"}, {0, 12, ""}, {0, 24, "wwwwwwwwwwww"}}},
      {u"x<br>y", 60, {{0, 0, "x"}, {0, 12, "y"}}},
      {u"x<p>y", 60, {{0, 0, "x"}, {0, 24, "y"}}},
      // A joined word moves as one unit; its second piece is never a wrap point.
      {u"xx <b>bold</b>face", 60, {{0, 0, "xx "}, {18, 0, ""}, {0, 12, "bold"}, {32, 12, "face"}}},
      {u"xx <b>bol</b>face", 67, {{0, 0, "xx "}, {18, 0, "bol"}, {42, 0, "face"}}},
      // A leading space makes the boundary a break opportunity.
      {u"aaaa<b> bbbb</b>", 60, {{0, 0, "aaaa"}, {24, 0, ""}, {0, 12, "bbbb"}}},
      {u"aaaa<b>bbbb</b>", 60, {{0, 0, "aaaa"}, {24, 0, "bbbb"}}},
      // Unknown tags draw nothing; style nodes without text draw nothing.
      {u"a<x>b<b></b>", 60, {{0, 0, "a"}, {6, 0, "b"}}},
  };
  for (const LayoutCase& c : cases) {
    Layout layout(c.caption, {0, 0, c.right, 1000});
    EXPECT_EQ(layout.Render(), c.pieces) << Narrow(c.caption) << " right " << c.right;
  }
}

TEST(LayoutTest, RecordsRectanglesIncludingTheUndrawnTrailingSpace) {
  Layout layout(u"hello world foo");
  layout.Render();
  auto* text = static_cast<TStringNode*>(layout.tree_->Root().Child(0));
  EXPECT_EQ(text->Rects(), (std::vector<TRect>{{0, 0, 36, 12}, {0, 12, 54, 24}}));
}

TEST(LayoutTest, HonoursTheRectangleOffsetAndReportsTextHeight) {
  const std::pair<std::u16string, int32_t> cases[] = {
      {u"", 5 + 12}, {u"x", 5 + 12}, {u"x<br>", 5 + 24}, {u"x<p>y", 5 + 36}, {u"<br><br>", 5 + 36}};
  for (const auto& [caption, height] : cases) {
    Layout layout(caption, {3, 5, 63, 100});
    layout.canvas_.SetFontStyle({fsBold});  // the line height is measured in the plain style
    const auto pieces = layout.Render();
    EXPECT_EQ(layout.renderer_.ReadTextHeight(), height) << Narrow(caption);
    if (!pieces.empty()) {
      EXPECT_EQ(pieces[0], (Piece{3, 5, "x"}));
    }
  }
}

TEST(LayoutTest, DrawsWithEffectiveStylesAndColours) {
  Layout layout(u"a<b>b<i>c</i></b><link>d<u>e</u></link>");
  layout.tree_->Root().SetColor(0x123456);
  layout.tree_->Root().SetStyle({fsStrikeOut});
  layout.Link(0).SetState(lsHot);  // a full render ignores the state
  layout.Render();
  const auto& d = layout.canvas_.draws;
  ASSERT_EQ(d.size(), 5u);
  const std::pair<TFontStyles, TColor> expected[] = {
      {{fsStrikeOut}, 0x123456},
      {{fsStrikeOut, fsBold}, 0x123456},
      {{fsStrikeOut, fsBold, fsItalic}, 0x123456},
      {{fsStrikeOut, fsUnderline}, kLink},
      {{fsStrikeOut, fsUnderline}, kLink},
  };
  for (size_t i = 0; i < d.size(); ++i) {
    EXPECT_EQ(d[i].style, expected[i].first) << i;
    EXPECT_EQ(d[i].color, expected[i].second) << i;
  }
  EXPECT_EQ(layout.Link(0).GetStyle(), (TFontStyles{fsStrikeOut, fsUnderline}));
  EXPECT_EQ(layout.tree_->Root().LinkRects().size(), 2u);
}

TEST(LayoutTest, MeasuresJoinedWordsAcrossElementsOnce) {
  Layout layout(u"x<b>bold</b>face rest");
  layout.Render();
  auto* x = static_cast<TStringNode*>(layout.tree_->Root().Child(0));
  auto* bold =
      static_cast<TStringNode*>(static_cast<TStyleNode*>(layout.tree_->Root().Child(1))->Child(0));
  auto* face = static_cast<TStringNode*>(layout.tree_->Root().Child(2));
  // "x" carries the whole joined word: 6 + 32 + 30 ("face "), space of the last element.
  EXPECT_EQ(x->GetWordInfo(0), (TWordInfo{true, 6, 68}));
  EXPECT_FALSE(x->Joined());
  EXPECT_TRUE(bold->Joined());
  EXPECT_TRUE(face->Joined());
  EXPECT_EQ(bold->GetWordInfo(0).width, 0);
  EXPECT_EQ(face->GetWordInfo(0).width, 0);
  EXPECT_EQ(face->WordInfoCount(), 2u);
}

TEST(LayoutTest, WordRecordsAreReusedUntilCleared) {
  Layout layout(u"hello world");
  layout.Render();
  auto* text = static_cast<TStringNode*>(layout.tree_->Root().Child(0));
  EXPECT_EQ(text->GetWordInfo(0).width, 36);
  TestCanvas wide(2);
  layout.renderer_.RenderTree(wide, layout.rect_, *layout.tree_);
  EXPECT_EQ(text->WordInfoCount(), 2u);
  EXPECT_EQ(text->GetWordInfo(0).width, 36);
  text->ClearWordInfo();
  layout.renderer_.RenderTree(wide, layout.rect_, *layout.tree_);
  EXPECT_EQ(text->GetWordInfo(0).width, 72);
}

std::vector<TRect> Rects(const TAreaNode& node) {
  std::vector<TRect> rects;
  for (auto e = node.GetRects(); e->HasNext();)
    rects.push_back(e->Next());
  return rects;
}

struct RedrawCase {
  std::u16string caption;
  int32_t right;
};

TEST(LayoutTest, RenderNodeRedrawsEachLinkExactlyWhereTheFullLayoutPutIt) {
  const RedrawCase cases[] = {
      {u"Site:<link>home</link>", 60},
      {u"aaaa bbbb<link>cc</link>", 60},
      {u"aaaa <link>bbbbbbb</link> tail", 60},
      {u"Visit <link>our home page</link> now<br><b>and <link>another link</link></b>", 50},
      {u"<link>ab</link>cd efgh <i>x<link>y z</link>w</i>", 40},
      {u"a<link>  spaced  words  </link>b", 30},
      {u"<link>out<link>in</link>er</link> more", 30},
  };
  const std::pair<TLinkState, TColor> states[] = {
      {lsClicked, kClicked}, {lsHot, kHot}, {lsNormal, kLink}};
  for (const RedrawCase& c : cases) {
    Layout layout(c.caption, {2, 3, c.right, 1000});
    layout.Render();
    const auto full = layout.canvas_.draws;
    for (size_t n = 0; n < layout.tree_->Root().CollectTopLevelNodes(ClassOf<TLinkNode>()).size();
         ++n) {
      TLinkNode& link = layout.Link(n);
      std::vector<Piece> expected;
      for (const DrawRecord& d : full) {
        // The link's own pieces are those drawn in the link colour after its start.
        if (d.color == kLink &&
            (d.y > link.StartPos().Y || (d.y == link.StartPos().Y && d.x >= link.StartPos().X)))
          expected.push_back({d.x, d.y, Narrow(d.text)});
      }
      const auto rects = Rects(link);
      for (const auto& [state, color] : states) {
        link.SetState(state);
        const auto redrawn = layout.RenderNode(link);
        // Later links also use the link colour, so the redraw is a prefix of the pieces.
        ASSERT_FALSE(redrawn.empty());
        ASSERT_LE(redrawn.size(), expected.size()) << Narrow(c.caption);
        EXPECT_TRUE(std::equal(redrawn.begin(), redrawn.end(), expected.begin()))
            << Narrow(c.caption) << " link " << n;
        EXPECT_EQ(Rects(link), rects) << Narrow(c.caption) << " link " << n;
        EXPECT_EQ(layout.canvas_.draws.front().color, color);
      }
    }
  }
}

TEST(LayoutTest, ObservedStartIsWhereTheLinkTextBegins) {
  Layout layout(u"Site:<link>home</link>", {4, 2, 200, 100});
  layout.Render();
  EXPECT_EQ(layout.Link(0).StartPos(), (TPoint{4 + 30, 2}));
  const auto redrawn = layout.RenderNode(layout.Link(0));
  EXPECT_EQ(redrawn, (std::vector<Piece>{{34, 2, "home"}}));
}

TEST(LayoutTest, NestedLinkKeepsTheLinkColourWhenTheOuterIsRedrawn) {
  Layout layout(u"<link>a<link>b</link>c</link>");
  layout.Render();
  layout.Link(0).SetState(lsClicked);
  layout.RenderNode(layout.Link(0));
  const auto& d = layout.canvas_.draws;
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0].color, kClicked);
  EXPECT_EQ(d[1].color, kLink);
  EXPECT_EQ(d[2].color, kClicked);
}

TEST(LayoutTest, UnknownNodeClassesFailTheRender) {
  class TOddNode : public TStringNode {
   public:
    TOddNode() : TStringNode(u"odd") {}
  };
  Layout layout(u"a");
  layout.tree_->Root().AddNode(std::make_unique<TOddNode>());
  EXPECT_THROW(layout.Render(), ENodeError);
  // The renderer is usable again afterwards.
  layout.tree_->Root().Clear();
  EXPECT_TRUE(layout.Render().empty());
}

TEST(WordEnumeratorTest, WordsCarryAtMostOneTrailingSpace) {
  TWordEnumerator words(u"a  b ");
  std::vector<std::u16string> seen;
  EXPECT_EQ(words.Peek(), u"a ");
  while (words.HasNext())
    seen.push_back(words.Next());
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"a ", u" ", u"b "}));
  EXPECT_EQ(words.TakenCount(), 3);
  try {
    words.Next();
    ADD_FAILURE() << "no exception";
  } catch (const ETextHandlerError& e) {
    EXPECT_STREQ(e.what(), "TWordEnumerator.GetNext: No more words to return");
  }
  words.Reset();
  EXPECT_EQ(words.Next(), u"a ");
  words.SetText(u"xyz");
  EXPECT_EQ(words.TakenCount(), 0);
  EXPECT_EQ(words.Next(), u"z");  // the position stays across SetText
}

}  // namespace
}  // namespace xa
