#ifndef XA_LINKLABEL_NODE_TREE_H_
#define XA_LINKLABEL_NODE_TREE_H_

#include <memory>

#include "linklabel/node.h"
#include "linklabel/node_enumerators.h"

namespace xa {

// A parsed caption: owns its root, which owns every other node.
class TNodeTree {
 public:
  // A tree whose root has no children, an empty style and the colour clWindowText.
  TNodeTree();

  TRootNode& Root() { return *root_; }
  const TRootNode& Root() const { return *root_; }
  // Frees every node below the root.
  void Clear() { root_->Clear(); }
  // The root's HasNodeAt.
  bool HasNodeAt(const TPoint& p, const NodeClass& cls) const { return root_->HasNodeAt(p, cls); }
  // The root's FindNodeAt.
  TAreaNode* FindNodeAt(const TPoint& p, const NodeClass& cls) const {
    return root_->FindNodeAt(p, cls);
  }
  // The root's GetTopLevelNodes.
  std::unique_ptr<INodeEnumerator> GetTopLevelNodes(const NodeClass& cls) const {
    return root_->GetTopLevelNodes(cls);
  }

 private:
  std::unique_ptr<TRootNode> root_;
};

}  // namespace xa

#endif  // XA_LINKLABEL_NODE_TREE_H_
