#ifndef XA_LINKLABEL_NODE_ENUMERATORS_H_
#define XA_LINKLABEL_NODE_ENUMERATORS_H_

#include <cstddef>
#include <vector>

#include "linklabel/link_tools.h"
#include "linklabel/node.h"

namespace xa {

inline constexpr char kNoMoreNodes[] = "No more nodes to return";
inline constexpr char kNoMoreRecords[] = "No more records to return";

// Walks a fixed list of nodes.
class INodeEnumerator {
 public:
  virtual ~INodeEnumerator() = default;
  // The next node; raises ENodeError "No more nodes to return" after the last.
  virtual TNode* Next() = 0;
  // True while nodes remain.
  virtual bool HasNext() const = 0;
  // Back to the first node; the list is not collected again.
  virtual void Reset() = 0;
};

// Walks a fixed list of rectangles.
class IRectEnumerator {
 public:
  virtual ~IRectEnumerator() = default;
  // The next rectangle; raises ENodeError "No more records to return" after the last.
  virtual TRect Next() = 0;
  // True while rectangles remain.
  virtual bool HasNext() const = 0;
  // Back to the first rectangle.
  virtual void Reset() = 0;
};

// The outermost descendants of a class below a parent, collected at construction so that
// later changes to the tree do not affect the results.
class TTopLevelNodeEnumerator : public INodeEnumerator {
 public:
  TTopLevelNodeEnumerator(const TParentNode& parent, const NodeClass& cls);
  TNode* Next() override;
  bool HasNext() const override { return index_ < nodes_.size(); }
  void Reset() override { index_ = 0; }

 private:
  std::vector<TNode*> nodes_;
  size_t index_ = 0;
};

// Walks the rectangles it owns.
class TRectEnumerator : public IRectEnumerator {
 public:
  // Takes its own copies of `rects`.
  explicit TRectEnumerator(const std::vector<TRect>& rects);
  TRect Next() override;
  bool HasNext() const override { return index_ < rects_.Count(); }
  void Reset() override { index_ = 0; }

 private:
  TRectList rects_;
  size_t index_ = 0;
};

}  // namespace xa

#endif  // XA_LINKLABEL_NODE_ENUMERATORS_H_
