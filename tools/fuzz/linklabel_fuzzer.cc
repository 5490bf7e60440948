// Fuzz target: every caption parses, and the layout runs on every resulting tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "linklabel/parser.h"
#include "linklabel/renderer.h"
#include "linklabel/test_canvas.h"
#include "linklabel/tree_dump.h"

namespace {

// The first byte picks the wrap width; the rest is UTF-16LE mark-up.
void RunOne(const uint8_t* data, size_t size) {
  if (size == 0)
    return;
  const int32_t right = 1 + data[0];
  std::u16string text;
  for (size_t i = 1; i + 1 < size; i += 2)
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

  xa::ResetNodeCounters();
  xa::TDefaultParser parser;
  auto tree = parser.ParseText(text);
  if (xa::NestingDepth(tree->Root()) > xa::kMaxNestingDepth + 1)
    std::abort();

  xa::TestCanvas canvas;
  xa::TDefaultRenderer renderer;
  renderer.WriteLinkStyle({xa::fsBold});
  const xa::TRect rect{2, 3, right, 1000};
  renderer.RenderTree(canvas, rect, *tree);
  for (xa::TNode* node : tree->Root().CollectTopLevelNodes(xa::ClassOf<xa::TLinkNode>())) {
    auto* link = static_cast<xa::TLinkNode*>(node);
    link->SetState(xa::lsClicked);
    renderer.RenderNode(canvas, rect, *link);
  }
  renderer.RenderTree(canvas, rect, *tree);
  for (int32_t y = 0; y < 40; y += 7) {
    for (int32_t x = 0; x < right; x += 5) {
      if (tree->HasNodeAt({x, y}, xa::ClassOf<xa::TLinkNode>()))
        tree->FindNodeAt({x, y}, xa::ClassOf<xa::TLinkNode>());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunOne(data, size);
  return 0;
}
