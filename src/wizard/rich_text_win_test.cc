#include "wizard/rich_text_win.h"

#include <richedit.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "package/errors.h"
#include "wizard/gdi_object_win.h"

namespace xa {
namespace {

constexpr int kBoxId = 201;

// The whole content with paragraph ends as CR LF, as UTF-16.
std::wstring BoxText(HWND box) {
  GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  const LRESULT count = SendMessageW(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  std::wstring text(static_cast<size_t>(count) + 1, L'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = GT_USECRLF;
  get.codepage = 1200;
  const LRESULT copied = SendMessageW(box, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::wstring WithoutTrailingBreaks(std::wstring text) {
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n'))
    text.pop_back();
  return text;
}

class RichTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 500, 300, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    box_ = CreateRichEdit(parent_, kBoxId, 40, 100, 433, 202);
    ASSERT_NE(box_, nullptr);
    SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  }

  void TearDown() override { DestroyWindow(parent_); }

  // Whether the characters from `first` to `last` are all bold.
  bool Bold(LONG first, LONG last) {
    CHARRANGE range{first, last};
    SendMessageW(box_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMATW format{};
    format.cbSize = sizeof(format);
    SendMessageW(box_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
  }

  // The form font; without one the box shows the bold system font.
  TGdiObject<HFONT> font_ = CreatePixelFont(L"MS Sans Serif", 11, false);
  HWND parent_ = nullptr;
  HWND box_ = nullptr;
};

TEST_F(RichTextTest, CreatesAReadOnlyMultiLineRichEditWithScrollBar) {
  wchar_t class_name[32] = {};
  GetClassNameW(box_, class_name, 32);
  EXPECT_EQ(_wcsicmp(class_name, L"RichEdit20W"), 0) << class_name;
  const LONG_PTR style = GetWindowLongPtrW(box_, GWL_STYLE);
  EXPECT_NE(style & ES_READONLY, 0);
  EXPECT_NE(style & ES_MULTILINE, 0);
  EXPECT_EQ(style & WS_HSCROLL, 0);
  EXPECT_NE(SendMessageW(box_, EM_GETOPTIONS, 0, 0) & ECO_READONLY, 0);
  // Windows cuts streamed text at the limit (Wine does not), so the default 32767 must go.
  EXPECT_GE(SendMessageW(box_, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  EXPECT_EQ(GetDlgCtrlID(box_), kBoxId);
  EXPECT_EQ(GetParent(box_), parent_);
  RECT rect{};
  GetWindowRect(box_, &rect);
  EXPECT_EQ(rect.right - rect.left, 433);
  EXPECT_EQ(rect.bottom - rect.top, 202);
}

TEST_F(RichTextTest, RtfShowsItsCharactersWithTheirFormatting) {
  LoadRichText(box_,
               "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Hello {\\b bold} world\\par "
               "Second line\\par}");
  EXPECT_EQ(WithoutTrailingBreaks(BoxText(box_)), L"Hello bold world\r\nSecond line");
  EXPECT_TRUE(Bold(6, 10));
  EXPECT_FALSE(Bold(0, 5));
  EXPECT_FALSE(Bold(11, 16));
}

TEST_F(RichTextTest, RtfWithoutCharactersIsNotShownAsPlainText) {
  LoadRichText(box_, "plain before");
  LoadRichText(box_, "{\\rtf1}");
  EXPECT_EQ(WithoutTrailingBreaks(BoxText(box_)), L"");
}

TEST_F(RichTextTest, PlainTextFallsBackToPlainText) {
  LoadRichText(box_, "License terms\r\n\r\n1. Use it {well}.");
  EXPECT_EQ(BoxText(box_), L"License terms\r\n\r\n1. Use it {well}.");
}

TEST_F(RichTextTest, PlainTextTakesTheBoxFont) {
  LoadRichText(box_, "plain words");
  EXPECT_FALSE(Bold(0, 5));
  CHARFORMATW format{};
  format.cbSize = sizeof(format);
  SendMessageW(box_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_STREQ(format.szFaceName, L"MS Sans Serif");
}

TEST_F(RichTextTest, PlainTextIsReadInTheAnsiCodePage) {
  const std::string text = "Caf\xe9 \xa9 2026";
  LoadRichText(box_, text);
  wchar_t expected[32] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, expected, 32);
  EXPECT_EQ(BoxText(box_), expected);
}

TEST_F(RichTextTest, NewTextReplacesTheOldAndEmptyTextEmptiesTheBox) {
  LoadRichText(box_, "{\\rtf1 first}");
  LoadRichText(box_, "second");
  EXPECT_EQ(BoxText(box_), L"second");
  LoadRichText(box_, "");
  EXPECT_EQ(BoxText(box_), L"");
  EXPECT_EQ(GetWindowTextLengthW(box_), 0);
}

TEST_F(RichTextTest, LongDocumentsAreNotCutOff) {
  std::string text;
  std::wstring expected;
  for (int i = 0; text.size() < 100000; ++i) {
    const std::string line = "Paragraph " + std::to_string(i) + " of the agreement.";
    text += line + "\r\n";
    expected += std::wstring(line.begin(), line.end()) + L"\r\n";
  }
  LoadRichText(box_, text);
  EXPECT_EQ(BoxText(box_), expected);
  // The vertical scroll bar shows once the text is taller than the box.
  EXPECT_NE(GetWindowLongPtrW(box_, GWL_STYLE) & WS_VSCROLL, 0);
}

TEST_F(RichTextTest, TypingDoesNotChangeTheText) {
  LoadRichText(box_, "fixed");
  SetFocus(box_);
  SendMessageW(box_, WM_CHAR, L'x', 1);
  SendMessageW(box_, WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(BoxText(box_), L"fixed");
}

TEST_F(RichTextTest, AWindowThatTakesNoStreamRaises) {
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 0, 100, 100, parent_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  try {
    LoadRichText(edit, "text");
    FAIL() << "no exception";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Failed to Load Stream");
  }
}

}  // namespace
}  // namespace xa
