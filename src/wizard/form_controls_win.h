#ifndef XA_WIZARD_FORM_CONTROLS_WIN_H_
#define XA_WIZARD_FORM_CONTROLS_WIN_H_

#include <windows.h>

#include <array>
#include <memory>

#include "linklabel/link_label.h"
#include "wizard/check_list_win.h"
#include "wizard/form_layout_win.h"
#include "wizard/gdi_object_win.h"
#include "wizard/page_flow.h"
#include "wizard/panel_win.h"

namespace xa {

// Control ids of the form; none is IDOK or IDCANCEL, so Escape reaches no button.
enum TControlId : int {
  kIdBtnPrev = 100,
  kIdBtnNext,
  kIdBtnCancel,
  kIdRadioAccept,
  kIdRadioNotAccept,
  kIdCheckRun,
  kIdComboRun,
  kIdListMetaTrader,
  kIdBtnAddMetaTrader,
  kIdRichInfo,
  kIdRichLicense,
  kIdRichNews,
  kIdMemoReady,
  kIdMemoProgress,
  kIdProgressBar1,
  kIdImgBanner,
  kIdHeaderPicture,
};

inline constexpr int kFormClientWidth = 513;
inline constexpr int kFormClientHeight = 368;
inline constexpr int kPageCount = 7;

// One interior page's header band: title, subtitle and picture.
struct THeader {
  TPanel Band;
  HWND Title = nullptr;
  HWND Subtitle = nullptr;
  HWND Picture = nullptr;
  TGdiObject<HBITMAP> Bitmap;
};

// Every window of the wizard form, created by CreateFormControls and owned with the form.
struct TFormControls {
  UINT Dpi = kDesignDpi;  // the resolution the controls are laid out for
  TFormFonts Fonts;
  TFormLayout Layout;
  std::array<TPanel, kPageCount> Pages;  // indexed by TPage
  std::array<THeader, kPageCount> Headers;
  TPanel Panel5, PanelInstall, PanelFinish, Panel1;
  HWND ImgBanner = nullptr;
  TGdiObject<HBITMAP> Banner;
  HWND LabelStart1 = nullptr;
  TUniLinkLabel LabelStart2;
  HWND LabelFinish1 = nullptr, LabelFinish2 = nullptr, CheckRun = nullptr, ComboRun = nullptr;
  HWND RichInfo = nullptr, RichLicense = nullptr, RichNews = nullptr;
  HWND RadioAccept = nullptr, RadioNotAccept = nullptr;
  TCheckListBox ListMetaTrader;
  HWND BtnAddMetaTrader = nullptr;
  TGdiObject<HBITMAP> AddGlyph;
  HWND MemoReady = nullptr;
  HWND LabelProgress3 = nullptr, ProgressBar1 = nullptr, MemoProgress = nullptr;
  HWND BtnPrev = nullptr, BtnNext = nullptr, BtnCancel = nullptr;

  TPanel& Page(TPage page) { return Pages[static_cast<size_t>(page)]; }
  THeader& Header(TPage page) { return Headers[static_cast<size_t>(page)]; }
};

// Creates all controls of the wizard form inside `form`, laid out with their fonts and pictures
// for the form's resolution (WindowDpi): every page panel hidden, the start page's welcome part in
// front. Raises Exception when a control or a font cannot be created.
void CreateFormControls(HWND form, TFormControls& controls);

// Lays the controls out again for `dpi`, gives them fonts made for it (the old fonts are deleted
// once no control uses them) and loads the header pictures and the button glyph for it. Raises
// Exception when a font cannot be created; the controls then stay as they were.
void LayOutFormControls(TFormControls& controls, UINT dpi);

// The finish part of the uninstaller: without the terminal to run, whose room the finish text
// takes, so that a long program name does not cut its last line.
void ShowUninstallFinish(TFormControls& controls);

// Sets the UTF-16 text of a window.
void SetWindowText16(HWND window, const std::u16string& text);

// The UTF-16 text of a window.
std::u16string WindowText16(HWND window);

// True when the check box or radio button `button` is checked.
bool IsChecked(HWND button);

}  // namespace xa

#endif  // XA_WIZARD_FORM_CONTROLS_WIN_H_
