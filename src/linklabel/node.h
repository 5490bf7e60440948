#ifndef XA_LINKLABEL_NODE_H_
#define XA_LINKLABEL_NODE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "linklabel/types.h"

namespace xa {

class INodeEnumerator;
class IRectEnumerator;
class TNode;
class TParentNode;

// Exact class of a node, by position in the node-type table.
enum TNodeType : uint8_t {
  ntNode = 0,
  ntParentNode = 1,
  ntAreaNode = 2,
  ntStyleNode = 3,
  ntLinkNode = 4,
  ntDynamicNode = 5,
  ntRootNode = 6,
  ntStringNode = 7,
  ntActionNode = 8,
  ntUnknownNode = 9,
};

enum TLinkState : uint8_t { lsNormal = 0, lsClicked = 1, lsHot = 2 };
enum TActionKind : uint8_t { akLineBreak = 0, akParagraph = 1 };

// Colours a link reports for its state until the renderer resolves them.
inline constexpr TColor kLinkNormalSentinel = 0x80000400;
inline constexpr TColor kLinkClickedSentinel = 0x80000401;
inline constexpr TColor kLinkHotSentinel = 0x80000402;

inline constexpr char kUnknownClass[] = "TNode.GetNodeType: Unknown class";
inline constexpr char kWordInfoOutOfBounds[] = "TStringNode.GetWordInfo: Index out of bounds";

// A node class used as a query argument: matches nodes of the class or derived from it.
struct NodeClass {
  const std::type_info* type;
  bool (*matches)(const TNode&);
};

// The NodeClass of `T`.
template <typename T>
NodeClass ClassOf() {
  return {&typeid(T), [](const TNode& n) { return dynamic_cast<const T*>(&n) != nullptr; }};
}

// Layout measurements of one word of a string node.
struct TWordInfo {
  bool ends_with_space = false;
  int32_t space_width = 0;
  int32_t width = 0;
  bool operator==(const TWordInfo&) const = default;
};

// Base of every node of the mark-up tree.
class TNode {
 public:
  TNode() = default;
  TNode(const TNode&) = delete;
  TNode& operator=(const TNode&) = delete;
  virtual ~TNode() = default;

  // The exact class as a TNodeType; raises ENodeError "TNode.GetNodeType: Unknown class" for a
  // class outside the table (including classes derived from one in it).
  TNodeType GetNodeType() const;
  // The parent holding this node, or null before it is added.
  TParentNode* Parent() const { return parent_; }

 private:
  friend class TParentNode;
  TParentNode* parent_ = nullptr;
};

// A node with children, which it owns.
class TParentNode : public TNode {
 public:
  ~TParentNode() override;

  // Appends `node` to the children and makes this node its parent; returns it.
  TNode* AddNode(std::unique_ptr<TNode> node);
  // Frees the children from the last to the first.
  void Clear();
  // Hands every child, in order, to the caller; this node is left without children.
  std::vector<std::unique_ptr<TNode>> TakeChildren();
  size_t ChildCount() const { return children_.size(); }
  // The child at `index` (< ChildCount()).
  TNode* Child(size_t index) const { return children_[index].get(); }
  // First descendant of `cls` in document order, or null.
  TNode* FindFirst(const NodeClass& cls) const;
  // The outermost descendants of `cls`, in document order, collected now.
  std::unique_ptr<INodeEnumerator> GetTopLevelNodes(const NodeClass& cls) const;
  // The same results as a plain list.
  std::vector<TNode*> CollectTopLevelNodes(const NodeClass& cls) const;

 private:
  std::vector<std::unique_ptr<TNode>> children_;
};

// A node whose content is drawn with one style and colour; it remembers where it was drawn.
class TAreaNode : public TParentNode {
 public:
  // Style with which the content was last drawn.
  virtual TFontStyles GetStyle() const { return style_; }
  // Colour with which the content was last drawn.
  virtual TColor GetColor() const { return color_; }
  // True when an outermost descendant of `cls` that is an area node contains `p`.
  virtual bool HasNodeAt(const TPoint& p, const NodeClass& cls) const;

  // True when a string node at any depth below contains `p`.
  bool ContainsPoint(const TPoint& p) const;
  // The outermost area node of `cls` whose text covers `p`, or null.
  TAreaNode* FindNodeAt(const TPoint& p, const NodeClass& cls) const;
  // Rectangles of all string nodes below, node by node in document order.
  std::unique_ptr<IRectEnumerator> GetRects() const;
  // Texts of all string nodes below, concatenated in document order.
  std::u16string GetText() const;

  TPoint StartPos() const { return start_pos_; }
  void SetStartPos(const TPoint& p) { start_pos_ = p; }
  void SetStyle(TFontStyles style) { style_ = style; }
  void SetColor(TColor color) { color_ = color; }

 private:
  TPoint start_pos_;
  TFontStyles style_;
  TColor color_ = 0;
};

// Adds one font style to its content.
class TStyleNode : public TAreaNode {
 public:
  explicit TStyleNode(TFontStyle kind) : kind_(kind) {}
  TFontStyle Kind() const { return kind_; }

 private:
  TFontStyle kind_;
};

// A clickable link; numbered from the process-wide link counter at creation.
class TLinkNode : public TAreaNode {
 public:
  TLinkNode();
  // The sentinel colour of the link's state.
  TColor GetColor() const override;
  TLinkState State() const { return state_; }
  void SetState(TLinkState state) { state_ = state; }
  int32_t LinkNumber() const { return link_number_; }

 private:
  TLinkState state_ = lsNormal;
  int32_t link_number_;
};

// A placeholder filled by the dynamic-node handler; numbered from its own process-wide counter.
class TDynamicNode : public TAreaNode {
 public:
  TDynamicNode();
  int32_t DynamicNumber() const { return dynamic_number_; }

 private:
  int32_t dynamic_number_;
};

// The root of a tree; keeps a flat list of link rectangles for fast hit tests.
class TRootNode : public TAreaNode {
 public:
  // For exactly TLinkNode with a non-empty link rectangle list, tests that list only.
  bool HasNodeAt(const TPoint& p, const NodeClass& cls) const override;
  // Refills the link rectangle list from the outermost links, in document order.
  void RebuildLinkRects();
  const std::vector<TRect>& LinkRects() const { return link_rects_; }

 private:
  std::vector<TRect> link_rects_;
};

// A run of text; holds where the last layout drew it and the widths of its words.
class TStringNode : public TNode {
 public:
  // `element_text` with "&lt;" and then "&gt;" replaced.
  explicit TStringNode(std::u16string_view element_text);

  const std::u16string& Text() const { return text_; }
  void AddRect(const TRect& r) { rects_.push_back(r); }
  void ClearRects() { rects_.clear(); }
  const std::vector<TRect>& Rects() const { return rects_; }
  // True when any recorded rectangle contains `p`.
  bool ContainsPoint(const TPoint& p) const;
  void AddWordInfo(const TWordInfo& info) { word_info_.push_back(info); }
  // True when a word record exists at `index`.
  bool HasWordInfo(int64_t index) const;
  // A copy of the record at `index`; raises ENodeError when HasWordInfo is false.
  TWordInfo GetWordInfo(int64_t index) const;
  void ClearWordInfo() { word_info_.clear(); }
  size_t WordInfoCount() const { return word_info_.size(); }
  bool Joined() const { return joined_; }
  void SetJoined() { joined_ = true; }

 private:
  std::u16string text_;
  std::vector<TRect> rects_;
  std::vector<TWordInfo> word_info_;
  bool joined_ = false;
};

// A line break or paragraph break.
class TActionNode : public TNode {
 public:
  explicit TActionNode(TActionKind action) : action_(action) {}
  TActionKind Action() const { return action_; }

 private:
  TActionKind action_;
};

// An unrecognised tag, kept with its body as written; never drawn.
class TUnknownNode : public TNode {
 public:
  explicit TUnknownNode(std::u16string_view text) : text_(text) {}
  const std::u16string& Text() const { return text_; }

 private:
  std::u16string text_;
};

// Sets the process-wide link and dynamic counters back to 0.
void ResetNodeCounters();

}  // namespace xa

#endif  // XA_LINKLABEL_NODE_H_
