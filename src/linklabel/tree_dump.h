#ifndef XA_LINKLABEL_TREE_DUMP_H_
#define XA_LINKLABEL_TREE_DUMP_H_

#include <string>

#include "linklabel/node.h"

namespace xa {

// The children of `parent` in a compact notation for tests: 'text', B{..} I{..} U{..} for style
// nodes, L<n>{..} for links, D<n>{..} for dynamic nodes, BR, P, and ?body for unknown tags.
// Empty braces are left out.
std::string DumpChildren(const TParentNode& parent);

// Deepest nesting of parent nodes below `parent` (0 when it has no parent-node children).
int NestingDepth(const TParentNode& parent);

}  // namespace xa

#endif  // XA_LINKLABEL_TREE_DUMP_H_
