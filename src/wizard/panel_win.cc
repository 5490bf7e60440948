#include "wizard/panel_win.h"

#include "package/errors.h"
#include "wizard/reflected_messages.h"

namespace xa {
namespace {

constexpr wchar_t kClassName[] = L"XaPanel";

void RegisterClassOnce() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

TPanel::~TPanel() {
  if (hwnd_)
    UnbindWindow(hwnd_, *this);
}

void TPanel::Create(HWND parent, int x, int y, int width, int height, COLORREF color) {
  RegisterClassOnce();
  color_ = color;
  brush_ = TGdiObject<HBRUSH>(CreateSolidBrush(color));
  hwnd_ = BindNewWindow(
      CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"",
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, width,
                      height, parent, nullptr, GetModuleHandleW(nullptr), nullptr),
      *this, "Error creating window");
}

void TPanel::SetControlColor(HWND control, COLORREF color) {
  control_colors_.emplace_back(control,
                               std::make_pair(color, TGdiObject<HBRUSH>(CreateSolidBrush(color))));
}

LRESULT TPanel::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, brush_.Get());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->CtlType != ODT_MENU &&
          SendMessageW(item->hwndItem, kReflectedDrawItem, wparam, lparam))
        return TRUE;
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wparam, lparam);
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wparam, lparam);
    default:
      return CallNextProc(hwnd, msg, wparam, lparam);
  }
}

LRESULT TPanel::ControlColor(HDC dc, HWND control) {
  COLORREF color = color_;
  HBRUSH brush = brush_.Get();
  for (const auto& [hwnd, colored] : control_colors_) {
    if (hwnd == control) {
      color = colored.first;
      brush = colored.second.Get();
    }
  }
  SetBkColor(dc, color);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(brush);
}

}  // namespace xa
