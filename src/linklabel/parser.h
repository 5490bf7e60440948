#ifndef XA_LINKLABEL_PARSER_H_
#define XA_LINKLABEL_PARSER_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "linklabel/element_enumerator.h"
#include "linklabel/node_tree.h"

namespace xa {

inline constexpr char kUnsupportedState[] = "TDefaultParser.ParseNode: Unsupported state";

// Opening tags nested deeper than this take no content: their content and closing tag belong
// to the enclosing node. Bounds the stack used by parsing, layout and destruction.
inline constexpr int kMaxNestingDepth = 100;

// Supplies the mark-up of "DYNAMIC" placeholders while a caption is parsed.
class IDynamicNodeHandler {
 public:
  virtual ~IDynamicNodeHandler() = default;
  // Sets `source` to the mark-up for `node`; leaving it empty leaves the node without children.
  virtual void InitDynamicNode(std::u16string& source, TDynamicNode* node) = 0;
};

// Turns mark-up into node trees; never rejects a caption.
class IParser {
 public:
  virtual ~IParser() = default;
  // A new tree for `text`.
  virtual std::unique_ptr<TNodeTree> ParseText(std::u16string_view text) = 0;
  // A new tree for 8-bit `lines` joined with CR LF and converted from the system code page.
  virtual std::unique_ptr<TNodeTree> ParseStrings(const std::vector<std::string>& lines) = 0;
  // Uses `handler` (not owned, may be null) for later "DYNAMIC" tags.
  virtual void SetDynamicNodeHandler(IDynamicNodeHandler* handler) = 0;
  // Parses `text` and appends its top-level nodes, in order, to `node`.
  virtual void ParseInto(TParentNode& node, std::u16string_view text) = 0;
};

// The mark-up parser of the link label.
class TDefaultParser : public IParser {
 public:
  std::unique_ptr<TNodeTree> ParseText(std::u16string_view text) override;
  std::unique_ptr<TNodeTree> ParseStrings(const std::vector<std::string>& lines) override;
  void SetDynamicNodeHandler(IDynamicNodeHandler* handler) override { handler_ = handler; }
  void ParseInto(TParentNode& node, std::u16string_view text) override;

 protected:
  // The node for an opening tag's `body`; fills "DYNAMIC" nodes through the handler.
  virtual std::unique_ptr<TNode> CreateNode(std::u16string_view body);

 private:
  void ParseNode(IElementEnumerator& elements, TParentNode& parent, int depth);

  IDynamicNodeHandler* handler_ = nullptr;
};

}  // namespace xa

#endif  // XA_LINKLABEL_PARSER_H_
