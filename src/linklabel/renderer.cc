#include "linklabel/renderer.h"

namespace xa {
namespace {

// Holds the handler of one render in the renderer and lets go of it, also on failure; an
// enclosing render (from an observer or a canvas callback) gets its own handler back.
class HandlerScope {
 public:
  HandlerScope(ITextHandler*& slot, ITextHandler* handler) : slot_(slot), saved_(slot) {
    slot_ = handler;
  }
  ~HandlerScope() { slot_ = saved_; }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  ITextHandler*& slot_;
  ITextHandler* saved_;
};

}  // namespace

void TDefaultRenderer::RenderTree(ICanvas& canvas, const TRect& rect, TNodeTree& tree) {
  tree.Root().SetStartPos({rect.Left, rect.Top});
  RenderNode(canvas, rect, tree.Root());
  tree.Root().RebuildLinkRects();
}

void TDefaultRenderer::RenderNode(ICanvas& canvas, const TRect& rect, TAreaNode& node) {
  const TPoint start = node.StartPos();
  TTextHandler handler(rect, start.X, start.Y, canvas);
  HandlerScope scope(handler_, &handler);
  RenderChildren(node, node.GetStyle(), node.GetColor());
  handler.EmptyBuffer();
  text_height_ = handler.GetUsedHeight();
}

void TDefaultRenderer::StartingPosFound(int32_t x, int32_t y, TAreaNode* node) {
  node->SetStartPos({x, y});
}

void TDefaultRenderer::RenderChildren(TAreaNode& node, TFontStyles style, TColor color) {
  if (handler_->IsBufferEmpty())
    node.SetStartPos({handler_->GetCurrentX(), handler_->GetCurrentY()});
  else
    handler_->ObserveStartingPos(this, &node);
  node.SetStyle(style);
  node.SetColor(ResolveColor(color));
  for (size_t i = 0; i < node.ChildCount(); ++i) {
    TNode* child = node.Child(i);
    TColor child_color = ResolveColor(color);
    TFontStyles child_style = style;
    switch (child->GetNodeType()) {
      case ntStyleNode:
        child_style = style.With(static_cast<TStyleNode*>(child)->Kind());
        break;
      case ntLinkNode:
        child_style = style + link_style_;
        child_color = link_color_;
        break;
      case ntStringNode:
        handler_->AddString(static_cast<TStringNode*>(child), child_style, child_color);
        break;
      case ntActionNode:
        if (static_cast<TActionNode*>(child)->Action() == akLineBreak)
          handler_->AddLineBreak();
        else
          handler_->AddParagraphBreak();
        break;
      default:
        break;
    }
    if (auto* area = dynamic_cast<TAreaNode*>(child))
      RenderChildren(*area, child_style, child_color);
  }
}

TColor TDefaultRenderer::ResolveColor(TColor color) const {
  switch (color) {
    case kLinkNormalSentinel:
      return link_color_;
    case kLinkClickedSentinel:
      return link_color_clicked_;
    case kLinkHotSentinel:
      return link_color_hot_;
    default:
      return color;
  }
}

}  // namespace xa
