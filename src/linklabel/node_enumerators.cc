#include "linklabel/node_enumerators.h"

namespace xa {

TTopLevelNodeEnumerator::TTopLevelNodeEnumerator(const TParentNode& parent, const NodeClass& cls)
    : nodes_(parent.CollectTopLevelNodes(cls)) {}

TNode* TTopLevelNodeEnumerator::Next() {
  if (!HasNext())
    Raise<ENodeError>(kNoMoreNodes);
  return nodes_[index_++];
}

TRectEnumerator::TRectEnumerator(const std::vector<TRect>& rects) {
  for (const TRect& r : rects)
    rects_.Add(r);
}

TRect TRectEnumerator::Next() {
  if (!HasNext())
    Raise<ENodeError>(kNoMoreRecords);
  return rects_.Get(index_++);
}

}  // namespace xa
