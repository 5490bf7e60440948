#include "linklabel/tree_dump.h"

#include <algorithm>

#include "linklabel/test_canvas.h"

namespace xa {
namespace {

std::string Braced(const char* head, const TParentNode& node) {
  const std::string inner = DumpChildren(node);
  return inner.empty() ? head : std::string(head) + "{" + inner + "}";
}

std::string DumpNode(const TNode& node) {
  if (const auto* s = dynamic_cast<const TStringNode*>(&node))
    return "'" + Narrow(s->Text()) + "'";
  if (const auto* u = dynamic_cast<const TUnknownNode*>(&node))
    return "?" + Narrow(u->Text());
  if (const auto* a = dynamic_cast<const TActionNode*>(&node))
    return a->Action() == akLineBreak ? "BR" : "P";
  if (const auto* l = dynamic_cast<const TLinkNode*>(&node))
    return Braced(("L" + std::to_string(l->LinkNumber())).c_str(), *l);
  if (const auto* d = dynamic_cast<const TDynamicNode*>(&node))
    return Braced(("D" + std::to_string(d->DynamicNumber())).c_str(), *d);
  if (const auto* st = dynamic_cast<const TStyleNode*>(&node))
    return Braced(st->Kind() == fsBold ? "B" : st->Kind() == fsItalic ? "I" : "U", *st);
  return "#";
}

}  // namespace

std::string DumpChildren(const TParentNode& parent) {
  std::string out;
  for (size_t i = 0; i < parent.ChildCount(); ++i) {
    if (i > 0)
      out += ",";
    out += DumpNode(*parent.Child(i));
  }
  return out;
}

int NestingDepth(const TParentNode& parent) {
  int depth = 0;
  for (size_t i = 0; i < parent.ChildCount(); ++i) {
    if (const auto* sub = dynamic_cast<const TParentNode*>(parent.Child(i)))
      depth = std::max(depth, 1 + NestingDepth(*sub));
  }
  return depth;
}

}  // namespace xa
