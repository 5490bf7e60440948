#include "wizard/check_list_win.h"

#include <windowsx.h>

#include <string>

#include "package/errors.h"
#include "package/text_join.h"
#include "shell/paint_scope_win.h"
#include "wizard/reflected_messages.h"
#include "wizard/window_dpi_win.h"

namespace xa {
namespace {

// Lengths at kDesignDpi. The check box sits centred in a square as wide as the line is high at
// the left of every line; clicks there toggle.
constexpr int kItemHeight = 17;
constexpr int kCheckBoxSize = 13;
constexpr int kTextIndent = 2;

int LineHeight(const RECT& line) {
  return line.bottom - line.top;
}

std::u16string LineText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR)
    return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

bool LineChecked(HWND list, int index) {
  return SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) == 1;
}

void DrawCheckBox(HDC dc, const RECT& area, bool checked, bool enabled) {
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  const int size = MulDiv(kCheckBoxSize, LineHeight(area), kItemHeight);
  RECT box;
  box.left = area.left + (area.right - area.left - size) / 2;
  box.top = area.top + (area.bottom - area.top - size) / 2;
  box.right = box.left + size;
  box.bottom = box.top + size;
  UINT state = DFCS_BUTTONCHECK;
  if (checked)
    state |= DFCS_CHECKED;
  if (!enabled)
    state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
}

void DrawLineText(HDC dc,
                  const RECT& area,
                  const std::u16string& text,
                  UINT item_state,
                  bool enabled) {
  const bool selected = (item_state & ODS_SELECTED) != 0;
  FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  int text_colour = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  if (!enabled)
    text_colour = COLOR_GRAYTEXT;
  SetTextColor(dc, GetSysColor(text_colour));
  SetBkMode(dc, TRANSPARENT);
  RECT text_area = area;
  text_area.left += MulDiv(kTextIndent, LineHeight(area), kItemHeight);
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
            &text_area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

TCheckListBox::~TCheckListBox() {
  if (hwnd_)
    UnbindWindow(hwnd_, *this);
}

void TCheckListBox::Create(HWND parent, int id, int x, int y, int width, int height, HFONT font) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED |
                      LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  hwnd_ =
      BindNewWindow(CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", style, x, y, width, height,
                                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                    GetModuleHandleW(nullptr), nullptr),
                    *this, "Error creating window");
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The container's WM_MEASUREITEM is not ours to answer, so the height is set afterwards.
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(kItemHeight, 0));
}

void TCheckListBox::SetDpi(UINT dpi) {
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(ScaleForDpi(kItemHeight, dpi), 0));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

int TCheckListBox::Add(const std::u16string& text, bool checked) {
  const LRESULT index =
      SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index == LB_ERR || index == LB_ERRSPACE)
    Raise<Exception>("Cannot add a line to the list");
  SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0);
  return static_cast<int>(index);
}

void TCheckListBox::Clear() {
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}

int TCheckListBox::Count() const {
  const LRESULT count = SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
  return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::u16string TCheckListBox::Text(int index) const {
  CheckIndex(index);
  return LineText(hwnd_, index);
}

bool TCheckListBox::Checked(int index) const {
  CheckIndex(index);
  return LineChecked(hwnd_, index);
}

void TCheckListBox::SetChecked(int index, bool checked) {
  CheckIndex(index);
  SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0);
  InvalidateLine(index);
}

LRESULT TCheckListBox::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case kReflectedDrawItem:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The list box selects the line first, so a toggled line is also the selected one.
      const LRESULT result = CallNextProc(hwnd, msg, wparam, lparam);
      ClickAt(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return result;
    }
    case WM_KEYDOWN:
      if (wparam == VK_SPACE) {
        const LRESULT selected = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
        if (selected != LB_ERR)
          Toggle(static_cast<int>(selected));
        return 0;
      }
      break;
    case WM_CHAR:
      // The space toggles; it must not start the list box's search for a line beginning with it.
      if (wparam == L' ')
        return 0;
      break;
  }
  return CallNextProc(hwnd, msg, wparam, lparam);
}

void TCheckListBox::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    Raise<Exception>(JoinText({"List index out of bounds (", std::to_string(index), ")"}));
}

void TCheckListBox::ClickAt(int x, int y) {
  const LRESULT hit = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  if (hit == LB_ERR || HIWORD(hit) != 0)
    return;
  const int index = LOWORD(hit);
  RECT line;
  if (SendMessageW(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&line)) == LB_ERR)
    return;
  if (x >= line.left && x < line.left + LineHeight(line))
    Toggle(index);
}

void TCheckListBox::Toggle(int index) {
  SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(index),
               LineChecked(hwnd_, index) ? 0 : 1);
  InvalidateLine(index);
}

void TCheckListBox::InvalidateLine(int index) const {
  RECT line;
  if (SendMessageW(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&line)) != LB_ERR)
    InvalidateRect(hwnd_, &line, FALSE);
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) const noexcept {
  const HDC dc = item.hDC;
  if (item.itemID == static_cast<UINT>(-1)) {
    if (item.itemAction & ODA_FOCUS)
      DrawFocusRect(dc, &item.rcItem);
    return;
  }
  const int index = static_cast<int>(item.itemID);
  RECT box_area = item.rcItem;
  box_area.right = box_area.left + LineHeight(item.rcItem);
  RECT text_area = item.rcItem;
  text_area.left = box_area.right;
  if (item.itemAction == ODA_FOCUS) {
    DrawFocusRect(dc, &text_area);
    return;
  }
  const TSavedDC saved(dc);
  const TObjectSelection font(
      dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  const bool enabled = IsWindowEnabled(item.hwndItem) != FALSE;
  DrawCheckBox(dc, box_area, LineChecked(item.hwndItem, index), enabled);
  try {
    DrawLineText(dc, text_area, LineText(item.hwndItem, index), item.itemState, enabled);
  } catch (...) {
    // A text that cannot be read now (no memory for it) is left out of this drawing.
  }
  if (item.itemState & ODS_FOCUS)
    DrawFocusRect(dc, &text_area);
}

}  // namespace xa
