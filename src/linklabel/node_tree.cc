#include "linklabel/node_tree.h"

namespace xa {

TNodeTree::TNodeTree() : root_(std::make_unique<TRootNode>()) {
  root_->SetColor(clWindowText);
}

}  // namespace xa
