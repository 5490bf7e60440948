#ifndef XA_LINKLABEL_RENDERER_H_
#define XA_LINKLABEL_RENDERER_H_

#include <cstdint>

#include "linklabel/canvas.h"
#include "linklabel/node_tree.h"
#include "linklabel/text_handler.h"

namespace xa {

// Lays out and draws node trees, and redraws single links in the colour of their state.
class IRenderer {
 public:
  virtual ~IRenderer() = default;
  virtual TColor ReadLinkColor() const = 0;
  virtual void WriteLinkColor(TColor color) = 0;
  virtual TColor ReadLinkColorClicked() const = 0;
  virtual void WriteLinkColorClicked(TColor color) = 0;
  virtual TColor ReadLinkColorHot() const = 0;
  virtual void WriteLinkColorHot(TColor color) = 0;
  virtual TFontStyles ReadLinkStyle() const = 0;
  virtual void WriteLinkStyle(TFontStyles style) = 0;
  // Lays out and draws the whole tree inside `rect`, then rebuilds the root's link rectangles.
  virtual void RenderTree(ICanvas& canvas, const TRect& rect, TNodeTree& tree) = 0;
  // Lays out and draws `node` again from its recorded start position, style and colour.
  virtual void RenderNode(ICanvas& canvas, const TRect& rect, TAreaNode& node) = 0;
  // The bottom of the last line of the last render.
  virtual int32_t ReadTextHeight() const = 0;
};

// The renderer of the link label.
class TDefaultRenderer : public IRenderer, public IStartingPosObserver {
 public:
  TColor ReadLinkColor() const override { return link_color_; }
  void WriteLinkColor(TColor color) override { link_color_ = color; }
  TColor ReadLinkColorClicked() const override { return link_color_clicked_; }
  void WriteLinkColorClicked(TColor color) override { link_color_clicked_ = color; }
  TColor ReadLinkColorHot() const override { return link_color_hot_; }
  void WriteLinkColorHot(TColor color) override { link_color_hot_ = color; }
  TFontStyles ReadLinkStyle() const override { return link_style_; }
  void WriteLinkStyle(TFontStyles style) override { link_style_ = style; }
  void RenderTree(ICanvas& canvas, const TRect& rect, TNodeTree& tree) override;
  void RenderNode(ICanvas& canvas, const TRect& rect, TAreaNode& node) override;
  int32_t ReadTextHeight() const override { return text_height_; }

  // Records (x, y) as the start position of `node`.
  void StartingPosFound(int32_t x, int32_t y, TAreaNode* node) override;

 protected:
  // Buffers the content of `node`, drawn in `style` and `color`, with the current handler.
  virtual void RenderChildren(TAreaNode& node, TFontStyles style, TColor color);
  // The configured colour for a link-state sentinel; any other colour unchanged.
  virtual TColor ResolveColor(TColor color) const;

 private:
  TColor link_color_ = 0;
  TColor link_color_clicked_ = 0;
  TColor link_color_hot_ = 0;
  TFontStyles link_style_;
  ITextHandler* handler_ = nullptr;
  int32_t text_height_ = 0;
};

}  // namespace xa

#endif  // XA_LINKLABEL_RENDERER_H_
