#include "wizard/form_installer_win.h"

#include <commctrl.h>

#include <utility>

#include "linklabel/ansi.h"
#include "linklabel/wide_text.h"
#include "package/errors.h"
#include "package/role.h"
#include "res/resource_ids.h"
#include "shell/paint_scope_win.h"
#include "shell/window_errors_win.h"
#include "wizard/common_controls_win.h"
#include "wizard/picture_win.h"
#include "wizard/rich_text_win.h"
#include "wizard/wizard_texts.h"

namespace xa {
namespace {

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
class TNoFocusButton : public TWindowHandler {
 public:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == WM_SETFOCUS && wparam && IsWindow(reinterpret_cast<HWND>(wparam))) {
      SetFocus(reinterpret_cast<HWND>(wparam));
      return 0;
    }
    return CallNextProc(hwnd, msg, wparam, lparam);
  }
};

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
  const TObjectSelection font(
      item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(item.hDC, Wide(caption), static_cast<int>(caption.size()), &extent);
  const int glyph_size = PictureSize(glyph).cx;
  const int shift = (item.itemState & ODS_SELECTED) ? 1 : 0;
  const int left =
      item.rcItem.left +
      (item.rcItem.right - item.rcItem.left - glyph_size - static_cast<int>(extent.cx)) / 2 + shift;
  const int middle = (item.rcItem.top + item.rcItem.bottom) / 2 + shift;
  if (glyph)
    DrawTransparent(item.hDC, left, middle - PictureSize(glyph).cy / 2, glyph);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC,
               GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  RECT text_box{left + glyph_size, item.rcItem.top + shift, item.rcItem.right,
                item.rcItem.bottom + shift};
  DrawTextW(item.hDC, Wide(caption), static_cast<int>(caption.size()), &text_box,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

// Shown for an exception that carries no message of its own.
constexpr char kUnknownError[] = "Unexpected error";

}  // namespace

TFormInstaller::TFormInstaller(TFormEnvironment& environment)
    : environment_(environment), icons_(IDI_XASETUP) {}

TFormInstaller::~TFormInstaller() {
  Destroy();
}

void TFormInstaller::Destroy() {
  HWND hwnd = std::exchange(hwnd_, nullptr);
  if (!hwnd)
    return;
  UnbindWindow(hwnd, *this);
  ForgetWindowErrorTarget(hwnd);
  DestroyWindow(hwnd);
}

void TFormInstaller::Create() {
  LoadCommonControls();
  RegisterFormClass();
  gui_thread_ = GetCurrentThreadId();
  // Made at the design size; FitWindowToDpi sizes it for the resolution it is shown at.
  const SIZE frame =
      WindowSizeForDpi(kFormClientWidth, kFormClientHeight, kFormStyle, kFormExStyle, kDesignDpi);
  hwnd_ = BindNewWindow(CreateWindowExW(kFormExStyle, kFormClassName, L"FormInstaller", kFormStyle,
                                        CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr),
                        *this, "Cannot create the wizard window");
  try {
    SetWindowErrorTarget(hwnd_);
    icons_.Apply(hwnd_, WindowDpi(hwnd_));
    CreateFormControls(hwnd_, controls_);
    FitWindowToDpi();
    static TNoFocusButton no_focus;
    BindWindow(controls_.BtnAddMetaTrader, no_focus);
    controls_.LabelStart2.OnLinkClick = [this](TUniCustomLinkLabel&, int32_t number,
                                               std::u16string text) {
      LabelStart2LinkClick(number, text);
    };
    FormCreate();
  } catch (...) {
    Destroy();
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

LRESULT TFormInstaller::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
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
    case WM_TIMER:
      if (wparam == kProgressTimer) {
        ProgressTimer();
        return 0;
      }
      break;
    case kWmDpiChanged:
      DpiChanged(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case kWindowErrorMessage:
      ShowQueuedErrors();
      return 0;
    case WM_CLOSE:
      // A run cannot be stopped halfway: the close box and Alt+F4 wait for its end.
      if (!running_)
        DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      if (environment_.QuitOnDestroy)
        PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return CallNextProc(hwnd, msg, wparam, lparam);
}

void TFormInstaller::WindowDetached(HWND hwnd) noexcept {
  ForgetWindowErrorTarget(hwnd);
  hwnd_ = nullptr;
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

void TFormInstaller::DrawItem(const DRAWITEMSTRUCT& item) noexcept {
  try {
    if (item.CtlID == kIdImgBanner) {
      PaintCentered(item.hDC, item.rcItem, controls_.Banner.Get());
    } else if (item.CtlID == kIdHeaderPicture) {
      for (const THeader& header : controls_.Headers) {
        if (header.Picture != item.hwndItem)
          continue;
        // The picture's transparent pixels show the band's colour, which a static control asks
        // its parent for; the system would erase the box in the dialog colour.
        const auto band = reinterpret_cast<HBRUSH>(SendMessageW(
            GetParent(item.hwndItem), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(item.hDC),
            reinterpret_cast<LPARAM>(item.hwndItem)));
        if (band)
          FillRect(item.hDC, &item.rcItem, band);
        DrawTransparentCentered(item.hDC, item.rcItem, header.Bitmap.Get());
      }
    } else if (item.CtlID == kIdBtnAddMetaTrader) {
      DrawGlyphButton(item, controls_.AddGlyph.Get());
    }
  } catch (...) {
    // Drawing never fails: what could not be drawn stays undrawn until the next paint.
  }
}

void TFormInstaller::ShowQueuedErrors() {
  while (std::exception_ptr error = TakeWindowError())
    ShowError(error);
}

void TFormInstaller::ShowError(std::exception_ptr error) {
  std::string message = kUnknownError;
  if (error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& raised) {
      message = raised.what();
    } catch (...) {
    }
  }
  // Before the record named the program, the title is the program file's name.
  const std::u16string title =
      title_.empty() ? AnsiToUtf16(FileTitlePart(environment_.ExecutablePath)) : title_;
  environment_.ShowMessage(hwnd_, ErrorBoxText(AnsiToUtf16(message)), title, MB_ICONERROR);
}

}  // namespace xa
