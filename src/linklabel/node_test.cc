#include "linklabel/node.h"

#include <gtest/gtest.h>

#include "linklabel/node_tree.h"
#include "linklabel/parser.h"

namespace xa {
namespace {

class TSpecialLink : public TLinkNode {};

template <typename T>
T* As(TNode* node) {
  return dynamic_cast<T*>(node);
}

TEST(NodeTest, GetNodeTypeGivesTheTablePositionOfTheExactClass) {
  ResetNodeCounters();
  const std::pair<std::unique_ptr<TNode>, TNodeType> cases[] = {
      {std::make_unique<TNode>(), ntNode},
      {std::make_unique<TParentNode>(), ntParentNode},
      {std::make_unique<TAreaNode>(), ntAreaNode},
      {std::make_unique<TStyleNode>(fsItalic), ntStyleNode},
      {std::make_unique<TLinkNode>(), ntLinkNode},
      {std::make_unique<TDynamicNode>(), ntDynamicNode},
      {std::make_unique<TRootNode>(), ntRootNode},
      {std::make_unique<TStringNode>(u"s"), ntStringNode},
      {std::make_unique<TActionNode>(akParagraph), ntActionNode},
      {std::make_unique<TUnknownNode>(u"x"), ntUnknownNode},
  };
  for (const auto& [node, type] : cases)
    EXPECT_EQ(node->GetNodeType(), type);
  try {
    TSpecialLink().GetNodeType();
    ADD_FAILURE() << "no exception";
  } catch (const ENodeError& e) {
    EXPECT_STREQ(e.what(), "TNode.GetNodeType: Unknown class");
  }
}

TEST(NodeTest, LinkColourIsTheSentinelOfItsState) {
  TLinkNode link;
  link.SetColor(0x123456);
  const std::pair<uint8_t, TColor> cases[] = {
      {lsNormal, 0x80000400}, {lsClicked, 0x80000401}, {lsHot, 0x80000402}, {7, 0x123456}};
  for (const auto& [state, color] : cases) {
    link.SetState(static_cast<TLinkState>(state));
    EXPECT_EQ(link.GetColor(), color) << int{state};
  }
}

TEST(NodeTest, CountersNumberNodesUntilReset) {
  ResetNodeCounters();
  TLinkNode a, b;
  TDynamicNode d;
  EXPECT_EQ(a.LinkNumber(), 0);
  EXPECT_EQ(b.LinkNumber(), 1);
  EXPECT_EQ(d.DynamicNumber(), 0);
  ResetNodeCounters();
  EXPECT_EQ(TLinkNode().LinkNumber(), 0);
  EXPECT_EQ(TDynamicNode().DynamicNumber(), 0);
}

TEST(NodeTest, NewTreeRootHasWindowTextColourAndNoStyle) {
  TNodeTree tree;
  EXPECT_EQ(tree.Root().GetColor(), 0xFF000008u);
  EXPECT_TRUE(tree.Root().GetStyle().Empty());
  EXPECT_EQ(tree.Root().ChildCount(), 0u);
}

TEST(NodeTest, WordInfoIsBoundsChecked) {
  TStringNode node(u"a b");
  EXPECT_FALSE(node.HasWordInfo(0));
  node.AddWordInfo({true, 3, 10});
  node.AddWordInfo({false, 3, 7});
  EXPECT_TRUE(node.HasWordInfo(1));
  EXPECT_FALSE(node.HasWordInfo(2));
  EXPECT_FALSE(node.HasWordInfo(-1));
  EXPECT_EQ(node.GetWordInfo(1), (TWordInfo{false, 3, 7}));
  for (int64_t bad : {int64_t{-1}, int64_t{2}}) {
    try {
      node.GetWordInfo(bad);
      ADD_FAILURE() << bad;
    } catch (const ENodeError& e) {
      EXPECT_STREQ(e.what(), "TStringNode.GetWordInfo: Index out of bounds");
    }
  }
  node.ClearWordInfo();
  EXPECT_FALSE(node.HasWordInfo(0));
}

// Gives every string node of the tree one rectangle: the n-th (0-based) covers x 10n..10n+9.
void PlaceStrings(TNodeTree& tree) {
  int32_t n = 0;
  auto strings = tree.GetTopLevelNodes(ClassOf<TStringNode>());
  while (strings->HasNext()) {
    auto* s = static_cast<TStringNode*>(strings->Next());
    s->ClearRects();
    s->AddRect({10 * n, 0, 10 * n + 9, 9});
    ++n;
  }
}

TEST(NodeTest, TopLevelNodesSkipNestedMatchesAndIgnoreLaterChanges) {
  ResetNodeCounters();
  auto tree = TDefaultParser().ParseText(u"a<link>b<link>c</link></link><b><link>d</link></b>");
  auto links = tree->GetTopLevelNodes(ClassOf<TLinkNode>());
  tree->Root().AddNode(std::make_unique<TLinkNode>());
  std::vector<int32_t> numbers;
  while (links->HasNext())
    numbers.push_back(static_cast<TLinkNode*>(links->Next())->LinkNumber());
  EXPECT_EQ(numbers, (std::vector<int32_t>{0, 2}));
  try {
    links->Next();
    ADD_FAILURE() << "no exception";
  } catch (const ENodeError& e) {
    EXPECT_STREQ(e.what(), "No more nodes to return");
  }
  links->Reset();
  EXPECT_EQ(static_cast<TLinkNode*>(links->Next())->LinkNumber(), 0);
  EXPECT_EQ(tree->Root().CollectTopLevelNodes(ClassOf<TStringNode>()).size(), 4u);
  EXPECT_EQ(tree->Root().CollectTopLevelNodes(ClassOf<TAreaNode>()).size(), 3u);
}

TEST(NodeTest, FindFirstIsDepthFirstAndMatchesDerivedClasses) {
  auto tree = TDefaultParser().ParseText(u"<b><i>x</i></b><link>y</link>");
  auto* first_string = As<TStringNode>(tree->Root().FindFirst(ClassOf<TStringNode>()));
  ASSERT_NE(first_string, nullptr);
  EXPECT_EQ(first_string->Text(), u"x");
  EXPECT_EQ(tree->Root().FindFirst(ClassOf<TAreaNode>()), tree->Root().Child(0));
  EXPECT_NE(As<TLinkNode>(tree->Root().FindFirst(ClassOf<TLinkNode>())), nullptr);
  EXPECT_EQ(tree->Root().FindFirst(ClassOf<TActionNode>()), nullptr);
}

TEST(NodeTest, HitTestingFindsTheOutermostLinkIncludingEdges) {
  ResetNodeCounters();
  auto tree = TDefaultParser().ParseText(u"<link>a<link>b</link></link> c <i><link>d</link></i>");
  PlaceStrings(*tree);  // a: 0..9, b: 10..19, " c ": 20..29, d: 30..39
  auto* outer = As<TLinkNode>(tree->FindNodeAt({15, 5}, ClassOf<TLinkNode>()));
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->LinkNumber(), 0);
  EXPECT_EQ(outer->GetText(), u"ab");
  auto* inner = As<TLinkNode>(tree->FindNodeAt({39, 9}, ClassOf<TLinkNode>()));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->LinkNumber(), 2);
  EXPECT_EQ(tree->FindNodeAt({25, 5}, ClassOf<TLinkNode>()), nullptr);
  EXPECT_NE(tree->FindNodeAt({35, 5}, ClassOf<TStyleNode>()), nullptr);

  const std::pair<TPoint, bool> cases[] = {{{0, 0}, true},   {{9, 9}, true},   {{19, 9}, true},
                                           {{25, 5}, false}, {{40, 5}, false}, {{5, 10}, false},
                                           {{-1, 0}, false}};
  for (const auto& [p, hit] : cases)
    EXPECT_EQ(tree->HasNodeAt(p, ClassOf<TLinkNode>()), hit) << p.X << "," << p.Y;
}

TEST(NodeTest, RootTestsLinksAgainstItsRectangleCacheOnceBuilt) {
  auto tree = TDefaultParser().ParseText(u"x<link>a</link><link>b</link>");
  PlaceStrings(*tree);
  tree->Root().RebuildLinkRects();
  EXPECT_EQ(tree->Root().LinkRects(), (std::vector<TRect>{{10, 0, 19, 9}, {20, 0, 29, 9}}));
  // Moving the text away is not seen until the cache is rebuilt.
  auto* a = static_cast<TStringNode*>(static_cast<TLinkNode*>(tree->Root().Child(1))->Child(0));
  a->ClearRects();
  EXPECT_TRUE(tree->HasNodeAt({15, 5}, ClassOf<TLinkNode>()));
  EXPECT_FALSE(tree->HasNodeAt({15, 5}, ClassOf<TAreaNode>()));
  tree->Root().RebuildLinkRects();
  EXPECT_FALSE(tree->HasNodeAt({15, 5}, ClassOf<TLinkNode>()));
}

TEST(NodeTest, GetRectsListsStringRectanglesInDocumentOrder) {
  auto tree = TDefaultParser().ParseText(u"<link>a<b>b</b></link>");
  auto* link = static_cast<TLinkNode*>(tree->Root().Child(0));
  auto* a = static_cast<TStringNode*>(link->Child(0));
  auto* b = static_cast<TStringNode*>(static_cast<TStyleNode*>(link->Child(1))->Child(0));
  b->AddRect({5, 5, 6, 6});
  a->AddRect({1, 1, 2, 2});
  a->AddRect({3, 3, 4, 4});
  auto rects = link->GetRects();
  std::vector<TRect> seen;
  while (rects->HasNext())
    seen.push_back(rects->Next());
  EXPECT_EQ(seen, (std::vector<TRect>{{1, 1, 2, 2}, {3, 3, 4, 4}, {5, 5, 6, 6}}));
  try {
    rects->Next();
    ADD_FAILURE() << "no exception";
  } catch (const ENodeError& e) {
    EXPECT_STREQ(e.what(), "No more records to return");
  }
  rects->Reset();
  EXPECT_EQ(rects->Next(), (TRect{1, 1, 2, 2}));
}

TEST(NodeTest, ClearFreesChildrenAndTakeChildrenHandsThemOver) {
  auto tree = TDefaultParser().ParseText(u"a<b>b</b>");
  auto taken = tree->Root().TakeChildren();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0]->Parent(), nullptr);
  EXPECT_EQ(tree->Root().ChildCount(), 0u);
  TParentNode holder;
  holder.AddNode(std::move(taken[1]));
  EXPECT_EQ(holder.Child(0)->Parent(), &holder);
  holder.Clear();
  EXPECT_EQ(holder.ChildCount(), 0u);
}

}  // namespace
}  // namespace xa
