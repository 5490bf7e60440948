#include "wizard/check_list_win.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

#include "package/errors.h"
#include "wizard/gdi_object_win.h"
#include "wizard/reflected_messages.h"
#include "wizard/window_dpi_win.h"

namespace xa {
namespace {

constexpr int kListId = 101;
constexpr int kBoxCentre = 8;  // inside the check box square at the left of a line
constexpr int kOnText = 80;    // well right of the check box

int g_draw_items = 0;

// A container as the wizard's panels are: it hands WM_DRAWITEM back to the control it concerns.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DRAWITEM) {
    ++g_draw_items;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    return SendMessageW(item->hwndItem, kReflectedDrawItem, wparam, lparam);
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

const wchar_t* PanelClass() {
  static const ATOM atom = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &PanelProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = L"XaTestPanel";
    return RegisterClassW(&window_class);
  }();
  return atom ? L"XaTestPanel" : nullptr;
}

std::u16string ListBoxText(HWND list, int index) {
  std::vector<char16_t> buffer(
      static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0)) + 1);
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

class CheckListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(PanelClass(), nullptr);
    panel_ = CreateWindowExW(0, PanelClass(), L"panel", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(panel_, nullptr);
    list_.Create(panel_, kListId, 10, 10, 240, 150, font_.Get());
    ASSERT_NE(list_.Handle(), nullptr);
  }

  void TearDown() override { DestroyWindow(panel_); }

  RECT LineRect(int index) {
    RECT rect{};
    SendMessageW(list_.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    return rect;
  }

  void Send(UINT msg, int x, int y) {
    SendMessageW(list_.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }

  // A mouse click at (dx, dy) from the top-left corner of line `index`.
  void ClickLine(int index, int dx, int dy = kBoxCentre) {
    const RECT line = LineRect(index);
    Send(WM_LBUTTONDOWN, line.left + dx, line.top + dy);
    Send(WM_LBUTTONUP, line.left + dx, line.top + dy);
  }

  void Key(WPARAM key) {
    SendMessageW(list_.Handle(), WM_KEYDOWN, key, 1);
    if (key == VK_SPACE)
      SendMessageW(list_.Handle(), WM_CHAR, L' ', 1);
    SendMessageW(list_.Handle(), WM_KEYUP, key, 0xC0000001);
  }

  int Selected() { return static_cast<int>(SendMessageW(list_.Handle(), LB_GETCURSEL, 0, 0)); }

  TGdiObject<HFONT> font_ = CreatePixelFont(L"MS Sans Serif", 11, false);
  HWND panel_ = nullptr;
  TCheckListBox list_;
};

TEST_F(CheckListTest, IsAnOwnerDrawnUnsortedListBoxWithStrings) {
  wchar_t class_name[32] = {};
  GetClassNameW(list_.Handle(), class_name, 32);
  EXPECT_EQ(_wcsicmp(class_name, L"ListBox"), 0) << class_name;
  const LONG_PTR style = GetWindowLongPtrW(list_.Handle(), GWL_STYLE);
  for (LONG_PTR flag : {LBS_OWNERDRAWFIXED, LBS_HASSTRINGS, LBS_NOTIFY, LBS_NOINTEGRALHEIGHT,
                        WS_TABSTOP, WS_CHILD, WS_VISIBLE})
    EXPECT_EQ(style & flag, flag) << std::hex << flag;
  EXPECT_EQ(style & LBS_SORT, 0);
  EXPECT_EQ(style & LBS_OWNERDRAWVARIABLE, 0);
  EXPECT_NE(GetWindowLongPtrW(list_.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(GetDlgCtrlID(list_.Handle()), kListId);
  EXPECT_EQ(GetParent(list_.Handle()), panel_);
  EXPECT_EQ(SendMessageW(list_.Handle(), LB_GETITEMHEIGHT, 0, 0), 17);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(list_.Handle(), WM_GETFONT, 0, 0)), font_.Get());
}

TEST_F(CheckListTest, ShowsTheScrollBarWhenTheLinesOverflow) {
  for (int i = 0; i < 8; ++i)
    list_.Add(u"line", false);
  EXPECT_EQ(GetWindowLongPtrW(list_.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  for (int i = 0; i < 8; ++i)
    list_.Add(u"more", false);
  EXPECT_NE(GetWindowLongPtrW(list_.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
}

TEST_F(CheckListTest, PixelFontHasTheAskedCharacterHeight) {
  LOGFONTW log{};
  ASSERT_EQ(GetObjectW(font_.Get(), sizeof(log), &log), static_cast<int>(sizeof(log)));
  EXPECT_EQ(log.lfHeight, -11);
  EXPECT_EQ(log.lfWeight, FW_NORMAL);
  EXPECT_EQ(log.lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(log.lfFaceName, L"MS Sans Serif");
  TGdiObject<HFONT> bold = CreatePixelFont(L"Arial", 16, true);
  ASSERT_EQ(GetObjectW(bold.Get(), sizeof(log), &log), static_cast<int>(sizeof(log)));
  EXPECT_EQ(log.lfHeight, -16);
  EXPECT_EQ(log.lfWeight, FW_BOLD);
}

TEST_F(CheckListTest, AddAppendsInOrderWithTextsAndMarks) {
  EXPECT_EQ(list_.Add(u"C:\\Program Files\\Zeta", true), 0);
  EXPECT_EQ(list_.Add(u"C:\\Program Files\\Alpha", false), 1);
  EXPECT_EQ(list_.Add(u"D:\\\u00dcbersicht \u03a9", true), 2);
  ASSERT_EQ(list_.Count(), 3);
  EXPECT_EQ(SendMessageW(list_.Handle(), LB_GETCOUNT, 0, 0), 3);
  const std::u16string texts[] = {u"C:\\Program Files\\Zeta", u"C:\\Program Files\\Alpha",
                                  u"D:\\\u00dcbersicht \u03a9"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(list_.Text(i), texts[i]);
    EXPECT_EQ(ListBoxText(list_.Handle(), i), texts[i]);
  }
  EXPECT_TRUE(list_.Checked(0));
  EXPECT_FALSE(list_.Checked(1));
  EXPECT_TRUE(list_.Checked(2));
}

TEST_F(CheckListTest, OutOfRangeIndexRaises) {
  list_.Add(u"only", false);
  try {
    list_.Text(1);
    FAIL() << "no exception";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list_.Checked(-1), Exception);
  EXPECT_THROW(list_.SetChecked(5, true), Exception);
  EXPECT_FALSE(list_.Checked(0));
}

TEST_F(CheckListTest, SetCheckedAndClear) {
  list_.Add(u"a", false);
  list_.Add(u"b", false);
  list_.SetChecked(1, true);
  EXPECT_FALSE(list_.Checked(0));
  EXPECT_TRUE(list_.Checked(1));
  list_.SetChecked(1, false);
  EXPECT_FALSE(list_.Checked(1));
  list_.Clear();
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_EQ(list_.Add(u"c", true), 0);
  EXPECT_TRUE(list_.Checked(0));
}

TEST_F(CheckListTest, ClickOnTheCheckBoxTogglesThatLine) {
  list_.Add(u"first", false);
  list_.Add(u"second", false);
  list_.Add(u"third", true);
  ClickLine(1, kBoxCentre);
  EXPECT_FALSE(list_.Checked(0));
  EXPECT_TRUE(list_.Checked(1));
  EXPECT_TRUE(list_.Checked(2));
  EXPECT_EQ(Selected(), 1);
  ClickLine(2, 2, 1);
  EXPECT_FALSE(list_.Checked(2));
  ClickLine(1, kBoxCentre);
  EXPECT_FALSE(list_.Checked(1));
}

TEST_F(CheckListTest, ClickOnTheTextSelectsWithoutToggling) {
  list_.Add(u"first", false);
  list_.Add(u"second", true);
  ClickLine(1, kOnText);
  EXPECT_EQ(Selected(), 1);
  EXPECT_TRUE(list_.Checked(1));
  ClickLine(0, 17 + 1);
  EXPECT_EQ(Selected(), 0);
  EXPECT_FALSE(list_.Checked(0));
}

TEST_F(CheckListTest, LinesAndTheirCheckAreaScaleWithTheResolution) {
  list_.Add(u"first", false);
  list_.Add(u"second", false);
  for (const UINT dpi : {144u, 192u, 96u}) {
    SCOPED_TRACE(dpi);
    list_.SetDpi(dpi);
    const int height = ScaleForDpi(17, dpi);
    EXPECT_EQ(SendMessageW(list_.Handle(), LB_GETITEMHEIGHT, 0, 0), height);
    EXPECT_EQ(LineRect(1).top - LineRect(0).top, height);
    // The square of the check box is as wide as the line is high: clicks inside toggle,
    // clicks just right of it select only.
    ClickLine(1, height - 1, height / 2);
    EXPECT_TRUE(list_.Checked(1));
    ClickLine(1, height + 1, height / 2);
    EXPECT_TRUE(list_.Checked(1));
    EXPECT_EQ(Selected(), 1);
    list_.SetChecked(1, false);
  }
}

TEST_F(CheckListTest, ClickBelowTheLastLineTogglesNothing) {
  list_.Add(u"first", false);
  const RECT last = LineRect(0);
  Send(WM_LBUTTONDOWN, last.left + kBoxCentre, last.bottom + 20);
  Send(WM_LBUTTONUP, last.left + kBoxCentre, last.bottom + 20);
  EXPECT_FALSE(list_.Checked(0));
}

TEST_F(CheckListTest, DoubleClickOnTheBoxTogglesTwice) {
  list_.Add(u"first", false);
  const RECT line = LineRect(0);
  Send(WM_LBUTTONDOWN, line.left + kBoxCentre, line.top + kBoxCentre);
  Send(WM_LBUTTONUP, line.left + kBoxCentre, line.top + kBoxCentre);
  EXPECT_TRUE(list_.Checked(0));
  Send(WM_LBUTTONDBLCLK, line.left + kBoxCentre, line.top + kBoxCentre);
  Send(WM_LBUTTONUP, line.left + kBoxCentre, line.top + kBoxCentre);
  EXPECT_FALSE(list_.Checked(0));
}

TEST_F(CheckListTest, SpaceTogglesTheSelectedLineAndDoesNotSearch) {
  list_.Add(u"first", false);
  list_.Add(u"second", false);
  list_.Add(u" starts with a blank", false);
  SendMessageW(list_.Handle(), LB_SETCURSEL, 1, 0);
  Key(VK_SPACE);
  EXPECT_TRUE(list_.Checked(1));
  EXPECT_EQ(Selected(), 1);
  EXPECT_FALSE(list_.Checked(2));
  Key(VK_SPACE);
  EXPECT_FALSE(list_.Checked(1));
  Key(VK_DOWN);
  EXPECT_EQ(Selected(), 2);
  Key(VK_SPACE);
  EXPECT_TRUE(list_.Checked(2));
  EXPECT_FALSE(list_.Checked(0));
}

TEST_F(CheckListTest, SpaceWithoutSelectionTogglesNothing) {
  list_.Add(u"first", false);
  ASSERT_EQ(Selected(), LB_ERR);
  Key(VK_SPACE);
  EXPECT_FALSE(list_.Checked(0));
}

// What the list box paints through its container, read back from a memory bitmap.
class Snapshot {
 public:
  explicit Snapshot(HWND list) {
    GetClientRect(list, &client_);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), client_.right, -client_.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.Select(bitmap_.Get());
    SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Get()),
                 PRF_CLIENT | PRF_ERASEBKGND);
  }

  // The colours of a square of `size` pixels at (x, y), row by row.
  std::vector<COLORREF> Square(int x, int y, int size) const {
    std::vector<COLORREF> pixels;
    for (int dy = 0; dy < size; ++dy) {
      for (int dx = 0; dx < size; ++dx)
        pixels.push_back(GetPixel(dc_.Get(), x + dx, y + dy));
    }
    return pixels;
  }

 private:
  RECT client_{};
  TMemoryDC dc_;
  TGdiObject<HBITMAP> bitmap_;
};

TEST_F(CheckListTest, PaintsACheckedBoxDifferentlyFromAnUncheckedOne) {
  list_.Add(u"checked", true);
  list_.Add(u"unchecked", false);
  list_.Add(u"unchecked too", false);
  g_draw_items = 0;
  const auto box = [this](const Snapshot& shot, int index) {
    const RECT line = LineRect(index);
    return shot.Square(line.left, line.top, 17);
  };
  {
    Snapshot shot(list_.Handle());
    EXPECT_GE(g_draw_items, 3);
    EXPECT_NE(box(shot, 0), box(shot, 1));
    EXPECT_EQ(box(shot, 1), box(shot, 2));
    const std::vector<COLORREF> window(17 * 17, GetSysColor(COLOR_WINDOW));
    EXPECT_NE(box(shot, 1), window) << "no check box drawn";
  }
  const std::vector<COLORREF> checked = box(Snapshot(list_.Handle()), 0);
  list_.SetChecked(1, true);
  list_.SetChecked(0, false);
  Snapshot shot(list_.Handle());
  EXPECT_EQ(box(shot, 1), checked);
  EXPECT_EQ(box(shot, 0), box(shot, 2));
}

TEST_F(CheckListTest, PaintsTheTextInTheWindowTextColour) {
  list_.Add(u"MMMMMMMM", false);
  Snapshot shot(list_.Handle());
  const RECT line = LineRect(0);
  int text_pixels = 0;
  for (COLORREF pixel : shot.Square(line.left + 17, line.top, 17))
    text_pixels += pixel == GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_GT(text_pixels, 0);
}

TEST_F(CheckListTest, MarkChangesRepaintTheirLineThroughTheContainer) {
  list_.Add(u"first", true);
  list_.Add(u"second", false);
  ShowWindow(panel_, SW_SHOWNA);
  UpdateWindow(panel_);
  const auto dirty_line = [this](int index) {
    RECT dirty{};
    const RECT line = LineRect(index);
    return GetUpdateRect(list_.Handle(), &dirty, FALSE) && dirty.top <= line.top &&
           dirty.bottom >= line.bottom;
  };
  list_.SetChecked(1, true);
  EXPECT_TRUE(dirty_line(1));
  g_draw_items = 0;
  UpdateWindow(list_.Handle());
  EXPECT_GT(g_draw_items, 0);
  SendMessageW(list_.Handle(), LB_SETCURSEL, 0, 0);
  UpdateWindow(list_.Handle());
  Key(VK_SPACE);
  EXPECT_TRUE(dirty_line(0));
  EXPECT_FALSE(list_.Checked(0));
}

TEST_F(CheckListTest, ListBoxOutlivingItsObjectStaysUsable) {
  HWND handle = nullptr;
  {
    TCheckListBox other;
    other.Create(panel_, kListId + 1, 10, 170, 240, 60, font_.Get());
    other.Add(u"line", false);
    handle = other.Handle();
  }
  EXPECT_EQ(GetPropW(handle, L"xa.TCheckListBox"), nullptr);
  SendMessageW(handle, LB_SETCURSEL, 0, 0);
  SendMessageW(handle, WM_KEYDOWN, VK_SPACE, 1);
  UpdateWindow(panel_);
  EXPECT_EQ(SendMessageW(handle, LB_GETCOUNT, 0, 0), 1);
}

TEST_F(CheckListTest, ObjectForgetsADestroyedWindow) {
  DestroyWindow(list_.Handle());
  EXPECT_EQ(list_.Handle(), nullptr);
}

}  // namespace
}  // namespace xa
