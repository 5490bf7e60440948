#ifndef XA_LINKLABEL_LINK_LABEL_H_
#define XA_LINKLABEL_LINK_LABEL_H_

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "linklabel/node_tree.h"
#include "linklabel/parser.h"
#include "linklabel/renderer.h"
#include "shell/window_binding_win.h"

namespace xa {

class TUniCustomLinkLabel;

using TNotifyEvent = std::function<void(TUniCustomLinkLabel& sender)>;
using TLinkClickEvent =
    std::function<void(TUniCustomLinkLabel& sender, int32_t link_number, std::u16string text)>;
using TDynamicTagInitEvent =
    std::function<void(TUniCustomLinkLabel& sender, std::u16string& source, int32_t number)>;
using TMouseEvent = std::function<void(TUniCustomLinkLabel& sender, int x, int y)>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Cursor numbers of the control: 0 the default arrow, 1 the link hand "LINKHAND".
using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crLinkHand = 1;

// A child control showing mark-up text with clickable links, wrapped to its width. Exceptions
// raised by its event handlers while it handles a window message go to ReportWindowError.
class TUniCustomLinkLabel : public IDynamicNodeHandler, private TWindowHandler {
 public:
  TUniCustomLinkLabel();
  ~TUniCustomLinkLabel() override;
  TUniCustomLinkLabel(const TUniCustomLinkLabel&) = delete;
  TUniCustomLinkLabel& operator=(const TUniCustomLinkLabel&) = delete;

  // Creates the window (160 x 17 at (x, y)) inside `parent`, the parser and the renderer, and
  // loads the link cursor. Call once, before anything else. Raises Exception when the window
  // cannot be created.
  void Create(HWND parent, int x, int y);
  // The window; null before Create and once the window is destroyed.
  HWND Handle() const { return hwnd_; }

  const std::u16string& Caption() const { return caption_; }
  // Parses `text` into a new tree unless it equals the caption and a tree exists; fires
  // OnDynamicTagInit per placeholder, repaints and fires OnCaptionChanged.
  void SetCaption(std::u16string_view text);
  const std::vector<std::u16string>& Text() const { return text_; }
  // Sets the caption to `lines` joined without separators.
  void SetText(const std::vector<std::u16string>& lines);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TColor LinkColor() const { return renderer_->ReadLinkColor(); }
  void SetLinkColor(TColor color);
  TColor LinkColorClicked() const { return renderer_->ReadLinkColorClicked(); }
  void SetLinkColorClicked(TColor color) { renderer_->WriteLinkColorClicked(color); }
  TColor LinkColorHot() const { return renderer_->ReadLinkColorHot(); }
  void SetLinkColorHot(TColor color) { renderer_->WriteLinkColorHot(color); }
  TFontStyles LinkStyle() const { return renderer_->ReadLinkStyle(); }
  void SetLinkStyle(TFontStyles style);
  bool HotLinks() const { return hot_links_; }
  void SetHotLinks(bool value) { hot_links_ = value; }
  bool AutoHeight() const { return auto_height_; }
  void SetAutoHeight(bool value);
  int MarginWidth() const { return margin_width_; }
  void SetMarginWidth(int value);
  int MarginHeight() const { return margin_height_; }
  void SetMarginHeight(int value);
  // Background colour when not transparent.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // The control's font (not owned; null: the system GUI font) and its text colour.
  HFONT Font() const { return font_; }
  void SetFont(HFONT font);
  TColor FontColor() const { return font_color_; }
  void SetFontColor(TColor color);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align) { align_ = align; }
  // The cursor shown now: crLinkHand over links, the saved cursor elsewhere.
  TCursor Cursor() const { return cursor_; }
  // The parsed caption; null after a dynamic-tag handler failed.
  const TNodeTree* Tree() const { return tree_.get(); }

  TDynamicTagInitEvent OnDynamicTagInit;
  TNotifyEvent OnCaptionChanged;
  TLinkClickEvent OnLinkClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseMove;
  TMouseEvent OnMouseUp;

  // Empties `source`, then asks OnDynamicTagInit for the mark-up of `node`.
  void InitDynamicNode(std::u16string& source, TDynamicNode* node) override;

 protected:
  virtual std::shared_ptr<IParser> CreateParser();
  virtual std::shared_ptr<IRenderer> CreateRenderer();
  virtual void DoCaptionChanged();
  virtual void DoLinkClick(int32_t link_number, const std::u16string& link_text);
  virtual void DoDynamicTagInit(std::u16string& source, int32_t number);
  // The context that direct link redraws go to, and its release.
  virtual HDC AcquireDirectDC();
  virtual void ReleaseDirectDC(HDC dc);
  // Paints the whole client area on `dc`; a drawing that fails leaves parts undrawn, quietly.
  void Paint(HDC dc) noexcept;

 private:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;
  void WindowDetached(HWND hwnd) noexcept override;
  bool HandleMouse(UINT msg, int x, int y);
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  void MouseLeave();
  void FontChanged();
  void Resized();
  void Invalidate();
  void SetLinkState(const TPoint& p, TLinkState state);
  void ResetActiveLink();
  bool IsActiveLinkClicked() const;
  void RenderLink(TLinkNode& link) noexcept;
  void ApplyFontToTree();
  void ClearWordInfoCaches();
  bool LinkAt(const TPoint& p) const;

  HWND hwnd_ = nullptr;
  std::u16string caption_;
  std::vector<std::u16string> text_;
  std::shared_ptr<IRenderer> renderer_;
  TLinkNode* active_link_ = nullptr;
  bool hot_links_ = false;
  TRect text_rect_;
  bool auto_height_ = true;
  int margin_width_ = 0;
  int margin_height_ = 0;
  TCursor saved_cursor_ = crDefault;
  TCursor cursor_ = crDefault;
  std::shared_ptr<IParser> parser_;
  std::unique_ptr<TNodeTree> tree_;
  bool transparent_ = false;
  TColor color_ = 0xFF00000F;  // clBtnFace
  HFONT font_ = nullptr;
  TColor font_color_ = clWindowText;
  TAlign align_ = TAlign::alNone;
  bool tracking_leave_ = false;
};

// The link label as the wizard uses it; all behaviour lives in TUniCustomLinkLabel.
class TUniLinkLabel : public TUniCustomLinkLabel {};

}  // namespace xa

#endif  // XA_LINKLABEL_LINK_LABEL_H_
