#include "linklabel/link_label.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "linklabel/gdi_canvas.h"
#include "shell/window_errors_win.h"

namespace xa {
namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);

// A label whose painting and direct link redraws both land in one memory bitmap, so tests can
// read back what was drawn although its window is hidden.
class TestLabel : public TUniLinkLabel {
 public:
  ~TestLabel() override {
    if (dc_) {
      DeleteDC(dc_);
      DeleteObject(bitmap_);
    }
  }

  // Paints the whole control into the bitmap.
  void Snapshot() {
    RECT client;
    GetClientRect(Handle(), &client);
    if (!dc_) {
      dc_ = CreateCompatibleDC(nullptr);
      BITMAPINFO info{};
      info.bmiHeader = {sizeof(BITMAPINFOHEADER), 400, -200, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      void* bits = nullptr;
      bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      SelectObject(dc_, bitmap_);
    }
    Paint(dc_);
  }

  // How many pixels inside `r` have exactly `color`.
  int CountPixels(const TRect& r, COLORREF color) const {
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x)
        count += GetPixel(dc_, x, y) == color;
    }
    return count;
  }

  int direct_redraws = 0;

 protected:
  HDC AcquireDirectDC() override {
    ++direct_redraws;
    return dc_;
  }
  void ReleaseDirectDC(HDC) override {}

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
};

struct Click {
  int32_t number;
  std::u16string text;
  bool operator==(const Click&) const = default;
};

class LinkLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 500, 300, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    font_ = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    label_.Create(parent_, 0, 0);
    SetWindowPos(label_.Handle(), nullptr, 0, 0, 400, 40, SWP_NOZORDER);
    label_.SetFont(font_);
    label_.SetColor(0x00FFFFFF);
    label_.OnLinkClick = [this](TUniCustomLinkLabel&, int32_t n, std::u16string text) {
      clicks_.push_back({n, std::move(text)});
    };
  }

  void TearDown() override {
    DestroyWindow(parent_);
    DeleteObject(font_);
  }

  // Rectangles of the link numbered `n`, as last laid out.
  std::vector<TRect> LinkRects(int32_t n) {
    std::vector<TRect> rects;
    for (TNode* node : label_.Tree()->Root().CollectTopLevelNodes(ClassOf<TLinkNode>())) {
      auto* link = static_cast<TLinkNode*>(node);
      for (auto e = link->GetRects(); link->LinkNumber() == n && e->HasNext();)
        rects.push_back(e->Next());
    }
    return rects;
  }

  TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

  void Send(UINT msg, const TPoint& p) {
    SendMessageW(label_.Handle(), msg, 0, MAKELPARAM(p.X, p.Y));
  }

  int TextWidth(std::u16string_view text, TFontStyles style) {
    HDC screen = GetDC(nullptr);
    int width;
    {
      TGdiCanvas canvas(screen, font_);
      canvas.SetFontStyle(style);
      width = canvas.TextWidth(text);
    }
    ReleaseDC(nullptr, screen);
    return width;
  }

  HWND parent_ = nullptr;
  HFONT font_ = nullptr;
  TestLabel label_;
  std::vector<Click> clicks_;
};

TEST_F(LinkLabelTest, ClickOnAWordOfALinkReportsItsNumberAndPlainText) {
  label_.SetCaption(u"Visit <link>our home page</link>");
  label_.Snapshot();
  const TRect r = LinkRects(0).at(0);
  const int home = r.Left + TextWidth(u"our ", {fsUnderline}) + TextWidth(u"ho", {fsUnderline});
  Send(WM_LBUTTONDOWN, {home, r.Top + 2});
  Send(WM_LBUTTONUP, {home, r.Top + 2});
  EXPECT_EQ(clicks_, (std::vector<Click>{{0, u"our home page"}}));
}

TEST_F(LinkLabelTest, ReleaseOnAnotherLinkReportsThatOneAndRestoresTheFirst) {
  label_.SetCaption(u"<link>one</link> <link>two</link>");
  label_.Snapshot();
  const TRect one = LinkRects(0).at(0);
  const TRect two = LinkRects(1).at(0);
  EXPECT_GT(label_.CountPixels(one, RGB(0, 0, 255)), 0);
  EXPECT_EQ(label_.CountPixels(one, RGB(255, 0, 0)), 0);
  Send(WM_LBUTTONDOWN, Centre(one));
  EXPECT_GT(label_.CountPixels(one, RGB(255, 0, 0)), 0) << "pressed link in the clicked colour";
  Send(WM_LBUTTONUP, Centre(two));
  EXPECT_EQ(clicks_, (std::vector<Click>{{1, u"two"}}));
  EXPECT_EQ(label_.CountPixels(one, RGB(255, 0, 0)), 0) << "redrawn in the link colour";
  EXPECT_GT(label_.CountPixels(one, RGB(0, 0, 255)), 0);
}

TEST_F(LinkLabelTest, EveryButtonReportsLikeTheLeftOne) {
  label_.SetCaption(u"a <link>x</link> <link>y</link>");
  label_.Snapshot();
  const UINT buttons[][2] = {{WM_RBUTTONDOWN, WM_RBUTTONUP}, {WM_MBUTTONDOWN, WM_MBUTTONUP}};
  for (const auto& b : buttons) {
    Send(b[0], Centre(LinkRects(1).at(0)));
    Send(b[1], Centre(LinkRects(1).at(0)));
  }
  EXPECT_EQ(clicks_, (std::vector<Click>{{1, u"y"}, {1, u"y"}}));
}

TEST_F(LinkLabelTest, ReleaseOverPlainTextReportsNothingButRestoresThePressedLink) {
  label_.SetCaption(u"plain text <link>link</link>");
  label_.Snapshot();
  const TRect link = LinkRects(0).at(0);
  Send(WM_LBUTTONDOWN, Centre(link));
  EXPECT_GT(label_.CountPixels(link, RGB(255, 0, 0)), 0);
  Send(WM_LBUTTONUP, {3, link.Top + 3});
  EXPECT_TRUE(clicks_.empty());
  EXPECT_EQ(label_.CountPixels(link, RGB(255, 0, 0)), 0);
}

TEST_F(LinkLabelTest, HandCursorOverLinksOnlyAndHotColourOnlyWithHotLinks) {
  label_.SetCaption(u"<link>aaaa</link> <link>bbbb</link> plain");
  label_.Snapshot();
  const TRect a = LinkRects(0).at(0);
  const TRect b = LinkRects(1).at(0);
  Send(WM_MOUSEMOVE, Centre(a));
  EXPECT_EQ(label_.Cursor(), crLinkHand);
  EXPECT_EQ(label_.direct_redraws, 0) << "no hot colour without HotLinks";
  Send(WM_MOUSEMOVE, {a.Left, a.Bottom + 5});
  EXPECT_EQ(label_.Cursor(), crDefault);

  label_.SetHotLinks(true);
  Send(WM_MOUSEMOVE, Centre(a));
  EXPECT_GT(label_.CountPixels(a, RGB(128, 0, 128)), 0);
  Send(WM_MOUSEMOVE, Centre(b));
  EXPECT_EQ(label_.CountPixels(a, RGB(128, 0, 128)), 0);
  EXPECT_GT(label_.CountPixels(b, RGB(128, 0, 128)), 0);
  // While a link is held down, moving changes no colours.
  Send(WM_LBUTTONDOWN, Centre(b));
  const int redraws = label_.direct_redraws;
  Send(WM_MOUSEMOVE, Centre(a));
  Send(WM_MOUSEMOVE, {a.Left, a.Bottom + 5});
  EXPECT_EQ(label_.direct_redraws, redraws);
}

TEST_F(LinkLabelTest, AutoHeightFitsOneLineOfAnEmptyCaptionBetweenMargins) {
  const int line = [&] {
    HDC screen = GetDC(nullptr);
    TGdiCanvas canvas(screen, font_);
    const int h = canvas.TextHeight(u"fg");
    ReleaseDC(nullptr, screen);
    return h;
  }();
  label_.SetMarginHeight(4);
  label_.Snapshot();
  RECT client;
  GetClientRect(label_.Handle(), &client);
  EXPECT_EQ(client.bottom, 2 * 4 + line);

  label_.SetAlign(TAlign::alClient);
  SetWindowPos(label_.Handle(), nullptr, 0, 0, 400, 90, SWP_NOZORDER);
  label_.Snapshot();
  GetClientRect(label_.Handle(), &client);
  EXPECT_EQ(client.bottom, 90);
}

TEST_F(LinkLabelTest, SettingTheSameCaptionAgainParsesOnce) {
  int changes = 0;
  label_.OnCaptionChanged = [&](TUniCustomLinkLabel&) { ++changes; };
  label_.SetCaption(u"<link>x</link>");
  const TNodeTree* tree = label_.Tree();
  label_.SetCaption(u"<link>x</link>");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(label_.Tree(), tree);
  label_.SetText({u"Line one", u"Line two"});
  EXPECT_EQ(label_.Caption(), u"Line oneLine two");
  EXPECT_EQ(label_.Text(), std::vector<std::u16string>{u"Line oneLine two"});
  EXPECT_EQ(changes, 2);
}

TEST_F(LinkLabelTest, DynamicTagsAreFilledInDocumentOrder) {
  std::vector<int32_t> numbers;
  label_.OnDynamicTagInit = [&](TUniCustomLinkLabel&, std::u16string& source, int32_t n) {
    numbers.push_back(n);
    if (n == 0)
      source = u"<link>in</link><dynamic>";
  };
  label_.SetCaption(u"<dynamic> <dynamic><link>after</link>");
  EXPECT_EQ(numbers, (std::vector<int32_t>{0, 2}));
  label_.Snapshot();
  Send(WM_LBUTTONDOWN, Centre(LinkRects(1).at(0)));
  Send(WM_LBUTTONUP, Centre(LinkRects(1).at(0)));
  EXPECT_EQ(clicks_, (std::vector<Click>{{1, u"after"}}));
}

TEST_F(LinkLabelTest, AFailedDynamicTagLeavesAWorkingLabelWithoutTree) {
  label_.SetCaption(u"<link>old</link>");
  label_.Snapshot();
  const TPoint old_link = Centre(LinkRects(0).at(0));
  bool fail = true;
  label_.OnDynamicTagInit = [&](TUniCustomLinkLabel&, std::u16string& source, int32_t) {
    if (fail)
      throw std::runtime_error("no source");
    source = u"<link>new</link>";
  };
  EXPECT_THROW(label_.SetCaption(u"<dynamic>"), std::runtime_error);
  EXPECT_EQ(label_.Tree(), nullptr);
  EXPECT_EQ(label_.Caption(), u"<dynamic>");

  RECT before;
  GetClientRect(label_.Handle(), &before);
  label_.SetMarginHeight(2);
  label_.Snapshot();
  EXPECT_EQ(label_.CountPixels({0, 0, 400, before.bottom}, kBackground), 400 * before.bottom)
      << "background only";
  RECT client;
  GetClientRect(label_.Handle(), &client);
  EXPECT_EQ(client.bottom, before.bottom) << "without a tree auto height leaves the height alone";
  Send(WM_MOUSEMOVE, old_link);
  Send(WM_LBUTTONDOWN, old_link);
  Send(WM_LBUTTONUP, old_link);
  EXPECT_TRUE(clicks_.empty());
  EXPECT_EQ(label_.Cursor(), crDefault);
  SendMessageW(label_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  label_.Snapshot();
  GetClientRect(label_.Handle(), &client);
  EXPECT_EQ(client.bottom, before.bottom);

  // The same caption parses again once the handler works.
  fail = false;
  label_.SetCaption(u"<dynamic>");
  ASSERT_NE(label_.Tree(), nullptr);
  label_.Snapshot();
  Send(WM_LBUTTONDOWN, Centre(LinkRects(0).at(0)));
  Send(WM_LBUTTONUP, Centre(LinkRects(0).at(0)));
  EXPECT_EQ(clicks_, (std::vector<Click>{{0, u"new"}}));
}

TEST_F(LinkLabelTest, FontChangeMeasuresWordsAgainAtTheNextPaint) {
  label_.SetCaption(u"word");
  label_.Snapshot();
  auto* text = static_cast<TStringNode*>(label_.Tree()->Root().Child(0));
  const int32_t narrow = text->GetWordInfo(0).width;
  HFONT big = CreateFontW(-28, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
  SendMessageW(label_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
  EXPECT_EQ(text->WordInfoCount(), 0u);
  EXPECT_EQ(label_.Tree()->Root().GetStyle(), TFontStyles{fsBold});
  label_.Snapshot();
  EXPECT_GT(text->GetWordInfo(0).width, narrow);
  label_.SetFont(font_);
  DeleteObject(big);
}

TEST_F(LinkLabelTest, DefaultsAndTheLinkHandCursorResource) {
  TUniLinkLabel fresh;
  fresh.Create(parent_, 0, 0);
  RECT r;
  GetClientRect(fresh.Handle(), &r);
  EXPECT_EQ(r.right, 160);
  EXPECT_EQ(r.bottom, 17);
  EXPECT_EQ(fresh.LinkColor(), 0xFF0000u);
  EXPECT_EQ(fresh.LinkColorClicked(), 0x0000FFu);
  EXPECT_EQ(fresh.LinkColorHot(), 0x800080u);
  EXPECT_EQ(fresh.LinkStyle(), TFontStyles{fsUnderline});
  EXPECT_TRUE(fresh.AutoHeight());
  EXPECT_FALSE(fresh.HotLinks());
  EXPECT_FALSE(fresh.Transparent());

  HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), L"LINKHAND");
  ASSERT_NE(hand, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
  EXPECT_EQ(info.hbmColor, nullptr) << "monochrome";
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);
  DeleteObject(info.hbmMask);
}

// A failing click handler cannot pass through the window procedure: the error is queued for the
// error box and the label goes on working.
TEST_F(LinkLabelTest, AFailingLinkHandlerIsQueuedForTheErrorBox) {
  label_.SetCaption(u"<link>one</link>");
  label_.Snapshot();
  const TPoint p = Centre(LinkRects(0).at(0));
  label_.OnLinkClick = [](TUniCustomLinkLabel&, int32_t, std::u16string) {
    throw std::runtime_error("The link failed");
  };
  Send(WM_LBUTTONDOWN, p);
  Send(WM_LBUTTONUP, p);
  const std::exception_ptr error = TakeWindowError();
  ASSERT_NE(error, nullptr);
  EXPECT_THROW(std::rethrow_exception(error), std::runtime_error);
  label_.OnLinkClick = [this](TUniCustomLinkLabel&, int32_t n, std::u16string text) {
    clicks_.push_back({n, std::move(text)});
  };
  Send(WM_LBUTTONDOWN, p);
  Send(WM_LBUTTONUP, p);
  EXPECT_EQ(clicks_, (std::vector<Click>{{0, u"one"}}));
}

// A label whose parent goes first forgets its window, and its own end destroys nothing.
TEST_F(LinkLabelTest, ALabelDestroyedWithItsParentForgetsItsWindow) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  auto label = std::make_unique<TUniLinkLabel>();
  label->Create(parent, 0, 0);
  ASSERT_NE(label->Handle(), nullptr);
  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_EQ(label->Handle(), nullptr);
  label->SetCaption(u"<link>after</link>");
  label.reset();
}

}  // namespace
}  // namespace xa
