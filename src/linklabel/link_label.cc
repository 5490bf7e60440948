#include "linklabel/link_label.h"

#include <windowsx.h>

#include <utility>

#include "linklabel/gdi_canvas.h"
#include "linklabel/link_tools.h"
#include "package/errors.h"
#include "shell/paint_scope_win.h"

namespace xa {
namespace {

constexpr wchar_t kClassName[] = L"XaUniLinkLabel";
constexpr int kDefaultWidth = 160;
constexpr int kDefaultHeight = 17;

// Cursor number 1 of the process: every new label loads it again from the program's resources.
HCURSOR g_link_hand = nullptr;

HCURSOR CursorHandle(TCursor cursor) {
  if (cursor == crLinkHand && g_link_hand)
    return g_link_hand;
  return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
}

TFontStyles StylesOf(HFONT font) {
  LOGFONTW lf{};
  if (!font || GetObjectW(font, sizeof lf, &lf) == 0)
    return {};
  TFontStyles styles;
  if (lf.lfWeight >= FW_BOLD)
    styles = styles.With(fsBold);
  if (lf.lfItalic)
    styles = styles.With(fsItalic);
  if (lf.lfUnderline)
    styles = styles.With(fsUnderline);
  if (lf.lfStrikeOut)
    styles = styles.With(fsStrikeOut);
  return styles;
}

void RegisterClassOnce() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

TUniCustomLinkLabel::TUniCustomLinkLabel() : tree_(std::make_unique<TNodeTree>()) {}

TUniCustomLinkLabel::~TUniCustomLinkLabel() {
  // A window still alive (its parent outlives this object) goes with the object; one destroyed
  // with its parent has already detached itself.
  if (HWND hwnd = std::exchange(hwnd_, nullptr)) {
    UnbindWindow(hwnd, *this);
    DestroyWindow(hwnd);
  }
}

void TUniCustomLinkLabel::Create(HWND parent, int x, int y) {
  RegisterClassOnce();
  hwnd_ = BindNewWindow(
      CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, x, y, kDefaultWidth,
                      kDefaultHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr),
      *this, "Error creating window");
  parser_ = CreateParser();
  parser_->SetDynamicNodeHandler(this);
  renderer_ = CreateRenderer();
  SetLinkColor(clBlue);
  SetLinkColorClicked(clRed);
  SetLinkColorHot(clPurple);
  SetLinkStyle({fsUnderline});
  g_link_hand = LoadCursorW(GetModuleHandleW(nullptr), L"LINKHAND");
  ApplyFontToTree();
  Resized();
}

void TUniCustomLinkLabel::SetCaption(std::u16string_view text) {
  if (text == caption_ && tree_)
    return;
  caption_ = text;
  text_ = {caption_};
  active_link_ = nullptr;
  tree_.reset();
  ResetNodeCounters();
  tree_ = parser_->ParseText(caption_);
  ApplyFontToTree();
  Invalidate();
  DoCaptionChanged();
}

void TUniCustomLinkLabel::SetText(const std::vector<std::u16string>& lines) {
  text_ = lines;
  std::u16string whole;
  for (const std::u16string& line : text_)
    whole += line + u"\r\n";
  SetCaption(TStringTools::RemoveLineBreaks(whole));
}

void TUniCustomLinkLabel::SetTransparent(bool value) {
  if (value == transparent_)
    return;
  transparent_ = value;
  Invalidate();
}

void TUniCustomLinkLabel::SetLinkColor(TColor color) {
  if (color == renderer_->ReadLinkColor())
    return;
  renderer_->WriteLinkColor(color);
  Invalidate();
}

void TUniCustomLinkLabel::SetLinkStyle(TFontStyles style) {
  if (style == renderer_->ReadLinkStyle())
    return;
  renderer_->WriteLinkStyle(style);
  Invalidate();
}

void TUniCustomLinkLabel::SetAutoHeight(bool value) {
  if (value == auto_height_)
    return;
  auto_height_ = value;
  Invalidate();
}

void TUniCustomLinkLabel::SetMarginWidth(int value) {
  margin_width_ = value;
  Resized();
}

void TUniCustomLinkLabel::SetMarginHeight(int value) {
  margin_height_ = value;
  Resized();
}

void TUniCustomLinkLabel::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TUniCustomLinkLabel::SetFont(HFONT font) {
  font_ = font;
  FontChanged();
}

void TUniCustomLinkLabel::SetFontColor(TColor color) {
  font_color_ = color;
  FontChanged();
}

void TUniCustomLinkLabel::InitDynamicNode(std::u16string& source, TDynamicNode* node) {
  source.clear();
  if (node)
    DoDynamicTagInit(source, node->DynamicNumber());
}

std::shared_ptr<IParser> TUniCustomLinkLabel::CreateParser() {
  return std::make_shared<TDefaultParser>();
}

std::shared_ptr<IRenderer> TUniCustomLinkLabel::CreateRenderer() {
  return std::make_shared<TDefaultRenderer>();
}

void TUniCustomLinkLabel::DoCaptionChanged() {
  if (OnCaptionChanged)
    OnCaptionChanged(*this);
}

void TUniCustomLinkLabel::DoLinkClick(int32_t link_number, const std::u16string& link_text) {
  if (OnLinkClick)
    OnLinkClick(*this, link_number, link_text);
}

void TUniCustomLinkLabel::DoDynamicTagInit(std::u16string& source, int32_t number) {
  source.clear();
  if (OnDynamicTagInit)
    OnDynamicTagInit(*this, source, number);
}

HDC TUniCustomLinkLabel::AcquireDirectDC() {
  return hwnd_ ? GetDC(hwnd_) : nullptr;
}

void TUniCustomLinkLabel::ReleaseDirectDC(HDC dc) {
  ReleaseDC(hwnd_, dc);
}

void TUniCustomLinkLabel::Paint(HDC dc) noexcept {
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (!transparent_) {
    // The context's own brush: painting allocates no brush that could be refused.
    SetDCBrushColor(dc, ColorToRgb(color_));
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  // Without a tree (a dynamic-tag handler failed) only the background shows, and the height
  // is left as it is.
  if (!tree_)
    return;
  try {
    TGdiCanvas canvas(dc, font_);
    canvas.SetFontColor(font_color_);
    renderer_->RenderTree(canvas, text_rect_, *tree_);
  } catch (...) {
    // Painting never fails: what could not be drawn stays undrawn until the next paint.
    return;
  }
  const bool vertical =
      align_ == TAlign::alNone || align_ == TAlign::alTop || align_ == TAlign::alBottom;
  const int height = renderer_->ReadTextHeight() + margin_height_;
  if (auto_height_ && vertical && height != client.bottom - client.top) {
    SetWindowPos(hwnd_, nullptr, 0, 0, client.right - client.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TUniCustomLinkLabel::WindowDetached(HWND) noexcept {
  hwnd_ = nullptr;
  active_link_ = nullptr;
}

LRESULT TUniCustomLinkLabel::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_PAINT: {
      const TPaintScope paint(hwnd);
      if (paint.Get())
        Paint(paint.Get());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Resized();
      return 0;
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wparam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT)
        break;
      SetCursor(CursorHandle(cursor_));
      return TRUE;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      MouseLeave();
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = CallNextProc(hwnd, msg, wparam, lparam);
      Invalidate();
      return result;
    }
    default:
      if (HandleMouse(msg, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)))
        return 0;
  }
  return CallNextProc(hwnd, msg, wparam, lparam);
}

bool TUniCustomLinkLabel::HandleMouse(UINT msg, int x, int y) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // Captured so that a release outside the control still resets the pressed link.
      SetCapture(hwnd_);
      MouseDown(x, y);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (GetCapture() == hwnd_)
        ReleaseCapture();
      MouseUp(x, y);
      return true;
    case WM_MOUSEMOVE:
      if (!tracking_leave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        tracking_leave_ = TrackMouseEvent(&track) != 0;
      }
      MouseMove(x, y);
      return true;
    default:
      return false;
  }
}

void TUniCustomLinkLabel::MouseDown(int x, int y) {
  if (OnMouseDown)
    OnMouseDown(*this, x, y);
  SetLinkState({x, y}, lsClicked);
}

void TUniCustomLinkLabel::MouseMove(int x, int y) {
  if (OnMouseMove)
    OnMouseMove(*this, x, y);
  const TPoint p{x, y};
  const TCursor before = cursor_;
  if (LinkAt(p)) {
    cursor_ = crLinkHand;
    if (hot_links_ && !IsActiveLinkClicked())
      SetLinkState(p, lsHot);
  } else {
    cursor_ = saved_cursor_;
    if (hot_links_ && !IsActiveLinkClicked())
      ResetActiveLink();
  }
  if (cursor_ != before)
    SetCursor(CursorHandle(cursor_));
}

void TUniCustomLinkLabel::MouseUp(int x, int y) {
  if (OnMouseUp)
    OnMouseUp(*this, x, y);
  const TPoint p{x, y};
  // Taken before the handler runs: it may replace the caption and with it the tree.
  TLinkNode* link = nullptr;
  if (LinkAt(p))
    link = dynamic_cast<TLinkNode*>(tree_->FindNodeAt(p, ClassOf<TLinkNode>()));
  if (link) {
    const int32_t number = link->LinkNumber();
    const std::u16string text = link->GetText();
    try {
      DoLinkClick(number, text);
    } catch (...) {
      ResetActiveLink();
      throw;
    }
  }
  ResetActiveLink();
}

void TUniCustomLinkLabel::MouseLeave() {
  if (hot_links_ && !IsActiveLinkClicked())
    ResetActiveLink();
}

void TUniCustomLinkLabel::FontChanged() {
  ApplyFontToTree();
  ClearWordInfoCaches();
  Invalidate();
}

void TUniCustomLinkLabel::Resized() {
  RECT client{};
  if (hwnd_)
    GetClientRect(hwnd_, &client);
  text_rect_ = {client.left + margin_width_, client.top + margin_height_,
                client.right - margin_width_, client.bottom};
  Invalidate();
}

void TUniCustomLinkLabel::Invalidate() {
  if (hwnd_)
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TUniCustomLinkLabel::SetLinkState(const TPoint& p, TLinkState state) {
  if (!LinkAt(p))
    return;
  auto* link = dynamic_cast<TLinkNode*>(tree_->FindNodeAt(p, ClassOf<TLinkNode>()));
  if (!link || (link == active_link_ && link->State() == state))
    return;
  ResetActiveLink();
  link->SetState(state);
  active_link_ = link;
  RenderLink(*link);
}

void TUniCustomLinkLabel::ResetActiveLink() {
  if (!active_link_)
    return;
  TLinkNode* link = active_link_;
  active_link_ = nullptr;
  link->SetState(lsNormal);
  RenderLink(*link);
}

bool TUniCustomLinkLabel::IsActiveLinkClicked() const {
  return active_link_ && active_link_->State() == lsClicked;
}

void TUniCustomLinkLabel::RenderLink(TLinkNode& link) noexcept {
  HDC dc = AcquireDirectDC();
  if (!dc)
    return;
  struct Release {
    TUniCustomLinkLabel* self;
    HDC dc;
    ~Release() { self->ReleaseDirectDC(dc); }
  } release{this, dc};
  try {
    TGdiCanvas canvas(dc, font_);
    canvas.SetFontColor(font_color_);
    renderer_->RenderNode(canvas, text_rect_, link);
  } catch (...) {
    // A link that cannot be redrawn now keeps its old colour until the next paint.
  }
}

void TUniCustomLinkLabel::ApplyFontToTree() {
  if (!tree_)
    return;
  tree_->Root().SetStyle(StylesOf(font_));
  tree_->Root().SetColor(font_color_);
}

void TUniCustomLinkLabel::ClearWordInfoCaches() {
  if (!tree_)
    return;
  for (TNode* node : tree_->Root().CollectTopLevelNodes(ClassOf<TStringNode>()))
    static_cast<TStringNode*>(node)->ClearWordInfo();
}

bool TUniCustomLinkLabel::LinkAt(const TPoint& p) const {
  return tree_ && tree_->HasNodeAt(p, ClassOf<TLinkNode>());
}

}  // namespace xa
