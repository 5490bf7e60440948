#include "linklabel/node.h"

#include <typeindex>

#include "linklabel/link_tools.h"
#include "linklabel/node_enumerators.h"

namespace xa {
namespace {

// Counted unsigned so that a long-running process wraps instead of overflowing.
uint32_t g_link_counter = 0;
uint32_t g_dynamic_counter = 0;

int32_t TakeNumber(uint32_t& counter) {
  return static_cast<int32_t>(counter++ & 0x7FFFFFFFu);
}

void CollectTopLevel(const TParentNode& parent, const NodeClass& cls, std::vector<TNode*>& out) {
  for (size_t i = 0; i < parent.ChildCount(); ++i) {
    TNode* child = parent.Child(i);
    if (cls.matches(*child)) {
      out.push_back(child);
    } else if (const auto* sub = dynamic_cast<const TParentNode*>(child)) {
      CollectTopLevel(*sub, cls, out);
    }
  }
}

// Entities of text elements, replaced in this order.
struct TEntity {
  std::u16string_view entity;
  std::u16string_view replacement;
};

constexpr TEntity kEntities[] = {{u"&lt;", u"<"}, {u"&gt;", u">"}};

}  // namespace

TNodeType TNode::GetNodeType() const {
  static const std::type_index kTable[] = {
      typeid(TNode),       typeid(TParentNode),  typeid(TAreaNode), typeid(TStyleNode),
      typeid(TLinkNode),   typeid(TDynamicNode), typeid(TRootNode), typeid(TStringNode),
      typeid(TActionNode), typeid(TUnknownNode),
  };
  const std::type_index mine(typeid(*this));
  for (size_t i = 0; i < std::size(kTable); ++i) {
    if (kTable[i] == mine)
      return static_cast<TNodeType>(i);
  }
  Raise<ENodeError>(kUnknownClass);
}

TParentNode::~TParentNode() {
  Clear();
}

TNode* TParentNode::AddNode(std::unique_ptr<TNode> node) {
  node->parent_ = this;
  children_.push_back(std::move(node));
  return children_.back().get();
}

void TParentNode::Clear() {
  while (!children_.empty())
    children_.pop_back();
}

std::vector<std::unique_ptr<TNode>> TParentNode::TakeChildren() {
  std::vector<std::unique_ptr<TNode>> taken = std::move(children_);
  children_.clear();
  for (auto& child : taken)
    child->parent_ = nullptr;
  return taken;
}

TNode* TParentNode::FindFirst(const NodeClass& cls) const {
  for (const auto& child : children_) {
    if (cls.matches(*child))
      return child.get();
    if (const auto* sub = dynamic_cast<const TParentNode*>(child.get())) {
      if (TNode* found = sub->FindFirst(cls))
        return found;
    }
  }
  return nullptr;
}

std::unique_ptr<INodeEnumerator> TParentNode::GetTopLevelNodes(const NodeClass& cls) const {
  return std::make_unique<TTopLevelNodeEnumerator>(*this, cls);
}

std::vector<TNode*> TParentNode::CollectTopLevelNodes(const NodeClass& cls) const {
  std::vector<TNode*> result;
  CollectTopLevel(*this, cls, result);
  return result;
}

bool TAreaNode::HasNodeAt(const TPoint& p, const NodeClass& cls) const {
  for (TNode* node : CollectTopLevelNodes(cls)) {
    const auto* area = dynamic_cast<const TAreaNode*>(node);
    if (area && area->ContainsPoint(p))
      return true;
  }
  return false;
}

bool TAreaNode::ContainsPoint(const TPoint& p) const {
  for (TNode* node : CollectTopLevelNodes(ClassOf<TStringNode>())) {
    if (static_cast<TStringNode*>(node)->ContainsPoint(p))
      return true;
  }
  return false;
}

TAreaNode* TAreaNode::FindNodeAt(const TPoint& p, const NodeClass& cls) const {
  for (TNode* node : CollectTopLevelNodes(ClassOf<TAreaNode>())) {
    auto* area = static_cast<TAreaNode*>(node);
    if (!area->ContainsPoint(p))
      continue;
    if (cls.matches(*area))
      return area;
    if (TAreaNode* found = area->FindNodeAt(p, cls))
      return found;
  }
  return nullptr;
}

std::unique_ptr<IRectEnumerator> TAreaNode::GetRects() const {
  std::vector<TRect> rects;
  for (TNode* node : CollectTopLevelNodes(ClassOf<TStringNode>())) {
    const auto& own = static_cast<TStringNode*>(node)->Rects();
    rects.insert(rects.end(), own.begin(), own.end());
  }
  return std::make_unique<TRectEnumerator>(rects);
}

std::u16string TAreaNode::GetText() const {
  std::u16string text;
  for (TNode* node : CollectTopLevelNodes(ClassOf<TStringNode>()))
    text += static_cast<TStringNode*>(node)->Text();
  return text;
}

TLinkNode::TLinkNode() : link_number_(TakeNumber(g_link_counter)) {}

TColor TLinkNode::GetColor() const {
  switch (state_) {
    case lsNormal:
      return kLinkNormalSentinel;
    case lsClicked:
      return kLinkClickedSentinel;
    case lsHot:
      return kLinkHotSentinel;
  }
  return TAreaNode::GetColor();
}

TDynamicNode::TDynamicNode() : dynamic_number_(TakeNumber(g_dynamic_counter)) {}

bool TRootNode::HasNodeAt(const TPoint& p, const NodeClass& cls) const {
  if (*cls.type != typeid(TLinkNode) || link_rects_.empty())
    return TAreaNode::HasNodeAt(p, cls);
  for (const TRect& r : link_rects_) {
    if (TGraphicTools::PointInRect(r, p))
      return true;
  }
  return false;
}

void TRootNode::RebuildLinkRects() {
  link_rects_.clear();
  for (TNode* node : CollectTopLevelNodes(ClassOf<TLinkNode>())) {
    auto rects = static_cast<TLinkNode*>(node)->GetRects();
    while (rects->HasNext())
      link_rects_.push_back(rects->Next());
  }
}

TStringNode::TStringNode(std::u16string_view element_text) : text_(element_text) {
  for (const TEntity& e : kEntities)
    TStringTools::ReplaceAll(e.entity, e.replacement, text_);
}

bool TStringNode::ContainsPoint(const TPoint& p) const {
  for (const TRect& r : rects_) {
    if (TGraphicTools::PointInRect(r, p))
      return true;
  }
  return false;
}

bool TStringNode::HasWordInfo(int64_t index) const {
  return index >= 0 && index < static_cast<int64_t>(word_info_.size());
}

TWordInfo TStringNode::GetWordInfo(int64_t index) const {
  if (!HasWordInfo(index))
    Raise<ENodeError>(kWordInfoOutOfBounds);
  return word_info_[static_cast<size_t>(index)];
}

void ResetNodeCounters() {
  g_link_counter = 0;
  g_dynamic_counter = 0;
}

}  // namespace xa
