#include "wizard/form_installer_win.h"

#include <commctrl.h>

#include <utility>

#include "linklabel/ansi.h"
#include "package/errors.h"
#include "package/role.h"
#include "res/resource_ids.h"
#include "wizard/common_controls_win.h"
#include "wizard/picture_win.h"
#include "wizard/rich_text_win.h"
#include "wizard/wide_text.h"
#include "wizard/wizard_texts.h"

namespace xa {
namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

void RegisterFormClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_XASETUP));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kFormClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

// The add-a-folder button acts on clicks but never takes the keyboard focus.
LRESULT CALLBACK NoFocusButtonProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_SETFOCUS && wparam && IsWindow(reinterpret_cast<HWND>(wparam))) {
    SetFocus(reinterpret_cast<HWND>(wparam));
    return 0;
  }
  return CallOriginalProc(hwnd, msg, wparam, lparam);
}

// Draws the add-a-folder button: a push button face with the glyph and the caption centred.
void DrawGlyphButton(const DRAWITEMSTRUCT& item, HBITMAP glyph) {
  RECT face = item.rcItem;
  UINT state = DFCS_BUTTONPUSH;
  if (item.itemState & ODS_SELECTED)
    state |= DFCS_PUSHED;
  if (item.itemState & ODS_DISABLED)
    state |= DFCS_INACTIVE;
  DrawFrameControl(item.hDC, &face, DFC_BUTTON, state);
  const std::u16string caption = WindowText16(item.hwndItem);
  HGDIOBJ old_font = SelectObject(
      item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(item.hDC, Wide(caption), static_cast<int>(caption.size()), &extent);
  constexpr int kGlyphSize = 16;
  const int shift = (item.itemState & ODS_SELECTED) ? 1 : 0;
  const int left =
      item.rcItem.left +
      (item.rcItem.right - item.rcItem.left - kGlyphSize - static_cast<int>(extent.cx)) / 2 + shift;
  const int middle = (item.rcItem.top + item.rcItem.bottom) / 2 + shift;
  if (glyph)
    DrawTransparent(item.hDC, left, middle - kGlyphSize / 2, glyph);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC,
               GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  RECT text_box{left + kGlyphSize, item.rcItem.top + shift, item.rcItem.right,
                item.rcItem.bottom + shift};
  DrawTextW(item.hDC, Wide(caption), static_cast<int>(caption.size()), &text_box,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  SelectObject(item.hDC, old_font);
}

}  // namespace

TFormInstaller::TFormInstaller(TFormEnvironment environment)
    : environment_(std::move(environment)) {}

TFormInstaller::~TFormInstaller() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    environment_.QuitOnDestroy = false;
    DestroyWindow(hwnd_);
  }
}

void TFormInstaller::Create() {
  LoadCommonControls();
  RegisterFormClass();
  RECT frame{0, 0, kFormClientWidth, kFormClientHeight};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  hwnd_ = CreateWindowExW(kFormExStyle, kFormClassName, L"FormInstaller", kFormStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_)
    throw Exception("Cannot create the wizard window");
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
  try {
    CreateFormControls(hwnd_, controls_);
    SubclassWindow(controls_.BtnAddMetaTrader, &NoFocusButtonProc);
    controls_.LabelStart2.OnLinkClick = [this](TUniCustomLinkLabel&, int32_t number,
                                               std::u16string text) {
      LabelStart2LinkClick(number, text);
    };
    controls_.LabelStart2.OnError = [this](const std::exception& error) { ShowError(error); };
    FormCreate();
  } catch (...) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(hwnd_, nullptr));
    throw;
  }
}

void TFormInstaller::Show() {
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd_);
}

TPage TFormInstaller::CurrentPage() const {
  return flow_->Pages()[static_cast<size_t>(flow_->PageIndex())];
}

LRESULT CALLBACK TFormInstaller::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* form = reinterpret_cast<TFormInstaller*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form)
    return DefDlgProcW(hwnd, msg, wparam, lparam);
  try {
    return form->HandleMessage(msg, wparam, lparam);
  } catch (const std::exception& error) {
    form->ShowError(error);
    return 0;
  }
}

LRESULT TFormInstaller::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_COMMAND:
      Command(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case DM_GETDEFID: {
      // Enter presses the focused push button, otherwise Next while it is enabled.
      HWND focus = GetFocus();
      if (focus == controls_.BtnCancel || focus == controls_.BtnPrev)
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
      return IsWindowEnabled(controls_.BtnNext) ? MAKELRESULT(kIdBtnNext, DC_HASDEFID) : 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      if (environment_.QuitOnDestroy)
        PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND hwnd = std::exchange(hwnd_, nullptr);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      return DefDlgProcW(hwnd, msg, wparam, lparam);
    }
    default:
      return DefDlgProcW(hwnd_, msg, wparam, lparam);
  }
}

void TFormInstaller::Command(int id, int code, HWND control) {
  if (code != BN_CLICKED || !control || !IsWindowEnabled(control))
    return;
  switch (id) {
    case kIdBtnNext:
      BtnNextClick();
      break;
    case kIdBtnPrev:
      BtnPrevClick();
      break;
    case kIdBtnCancel:
      BtnCancelClick();
      break;
    case kIdRadioAccept:
    case kIdRadioNotAccept:
      RadioAcceptClick();
      break;
    case kIdBtnAddMetaTrader:
      BtnAddMetaTraderClick();
      break;
    default:
      break;
  }
}

void TFormInstaller::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID == kIdImgBanner) {
    PaintCentered(item.hDC, item.rcItem, controls_.Banner.Get());
  } else if (item.CtlID == kIdHeaderPicture) {
    for (const THeader& header : controls_.Headers) {
      if (header.Picture == item.hwndItem && header.Bitmap.Get())
        DrawTransparent(item.hDC, 0, 0, header.Bitmap.Get());
    }
  } else if (item.CtlID == kIdBtnAddMetaTrader) {
    DrawGlyphButton(item, controls_.AddGlyph.Get());
  }
}

void TFormInstaller::ShowError(const std::exception& error) {
  std::u16string title = title_;
  if (title.empty()) {
    // Before the record named the program, the title is the program file's name.
    std::string name(FileNamePart(environment_.ExecutablePath));
    title = AnsiToUtf16(name.substr(0, name.rfind('.')));
  }
  environment_.ShowMessage(hwnd_, ErrorBoxText(AnsiToUtf16(error.what())), title, MB_ICONERROR);
}

}  // namespace xa
