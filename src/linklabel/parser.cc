#include "linklabel/parser.h"

#include "linklabel/ansi.h"
#include "linklabel/link_tools.h"
#include "linklabel/uni_utils.h"

namespace xa {

std::unique_ptr<TNodeTree> TDefaultParser::ParseText(std::u16string_view text) {
  auto tree = std::make_unique<TNodeTree>();
  // Local rather than a member, so that a handler may start another parse meanwhile.
  TElementEnumerator elements(TStringTools::RemoveLineBreaks(text));
  ParseNode(elements, tree->Root(), 0);
  return tree;
}

std::unique_ptr<TNodeTree> TDefaultParser::ParseStrings(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) {
    joined += line;
    joined += "\r\n";
  }
  return ParseText(AnsiToUtf16(joined));
}

void TDefaultParser::ParseInto(TParentNode& node, std::u16string_view text) {
  std::unique_ptr<TNodeTree> temporary = TDefaultParser().ParseText(text);
  for (auto& child : temporary->Root().TakeChildren())
    node.AddNode(std::move(child));
}

std::unique_ptr<TNode> TDefaultParser::CreateNode(std::u16string_view body) {
  const std::u16string name = uni::UpperCase(body);
  if (name == u"B")
    return std::make_unique<TStyleNode>(fsBold);
  if (name == u"I")
    return std::make_unique<TStyleNode>(fsItalic);
  if (name == u"U")
    return std::make_unique<TStyleNode>(fsUnderline);
  if (name == u"LINK")
    return std::make_unique<TLinkNode>();
  if (name == u"BR")
    return std::make_unique<TActionNode>(akLineBreak);
  if (name == u"P")
    return std::make_unique<TActionNode>(akParagraph);
  if (name != u"DYNAMIC")
    return std::make_unique<TUnknownNode>(body);
  auto node = std::make_unique<TDynamicNode>();
  if (handler_) {
    std::u16string source;
    handler_->InitDynamicNode(source, node.get());
    if (!source.empty())
      ParseInto(*node, source);
  }
  return node;
}

void TDefaultParser::ParseNode(IElementEnumerator& elements, TParentNode& parent, int depth) {
  while (!elements.EndOfText() && elements.PeekElement().type != etCloseTag) {
    const TElement element = elements.ReadElement();
    std::unique_ptr<TNode> node;
    if (element.type == etOpenTag)
      node = CreateNode(element.text);
    else if (element.type == etText)
      node = std::make_unique<TStringNode>(element.text);
    else
      Raise<EParserError>(kUnsupportedState);
    TNode* added = parent.AddNode(std::move(node));
    auto* container = dynamic_cast<TParentNode*>(added);
    if (element.type == etOpenTag && container && !dynamic_cast<TDynamicNode*>(added) &&
        depth < kMaxNestingDepth) {
      ParseNode(elements, *container, depth + 1);
    }
  }
  // The closing tag that stopped the loop.
  if (!elements.EndOfText())
    elements.ReadElement();
}

}  // namespace xa
