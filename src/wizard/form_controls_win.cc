#include "wizard/form_controls_win.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "linklabel/wide_text.h"
#include "package/errors.h"
#include "package/text_join.h"
#include "res/resource_ids.h"
#include "shell/window_binding_win.h"
#include "wizard/common_controls_win.h"
#include "wizard/picture_win.h"
#include "wizard/rich_text_win.h"

namespace xa {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kPageHeight = 320;
constexpr int kHeaderHeight = 68;
constexpr int kComboItemHeight = 17;
// The welcome text's link label fills its box to the edges.
constexpr int kStartLinkMargin = 0;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kLabelOneLine = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kMemo =
    ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

// A visible child window at its design box, kept in the form's layout; raises Exception when
// the system refuses it.
HWND Child(TFormControls& c,
           HWND parent,
           const wchar_t* window_class,
           const wchar_t* text,
           DWORD style,
           TDesignBox box,
           int id,
           TFormFont font,
           DWORD ex_style = 0) {
  HWND hwnd = CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, box.X,
                              box.Y, box.Width, box.Height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd)
    Raise<Exception>(JoinText({"Cannot create the control \"", std::to_string(id), "\""}));
  if (HFONT handle = c.Fonts.Get(font))
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(handle), FALSE);
  c.Layout.Add(hwnd, box, font);
  return hwnd;
}

// x, y, width, height as the layout tables give them, at the design resolution.
TDesignBox Box(int x, int y, int width, int height) {
  return TDesignBox{x, y, width, height};
}

HWND Label(TFormControls& c,
           HWND parent,
           const wchar_t* text,
           TDesignBox box,
           TFormFont font = TFormFont::kForm,
           DWORD style = kLabel) {
  return Child(c, parent, L"STATIC", text, style, box, -1, font);
}

// A panel at its design box, kept in the form's layout.
void Panel(TFormControls& c, TPanel& panel, HWND parent, TDesignBox box, COLORREF color) {
  panel.Create(parent, box.X, box.Y, box.Width, box.Height, color);
  c.Layout.Add(panel.Handle(), box, TFormFont::kNone);
}

// Read-only text boxes leave Tab and Enter to the dialog, so that Tab moves on and Enter
// presses Next from them too.
class TReadOnlyText : public TWindowHandler {
 public:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override {
    const LRESULT result = CallNextProc(hwnd, msg, wparam, lparam);
    if (msg == WM_GETDLGCODE)
      return result & ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
    return result;
  }
};

HWND ReadOnlyText(HWND box) {
  static TReadOnlyText handler;
  BindWindow(box, handler);
  return box;
}

// A read-only multi-line text box without the default limit of 30,000 characters, so that the
// progress list of a big package keeps every line.
HWND Memo(TFormControls& c, HWND parent, TDesignBox box, int id) {
  HWND memo = Child(c, parent, L"EDIT", L"", kMemo, box, id, TFormFont::kForm, WS_EX_CLIENTEDGE);
  SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
  return ReadOnlyText(memo);
}

// A read-only rich text box in the form font; set before any text so plain text is not bold.
HWND Rich(TFormControls& c, HWND parent, int id, TDesignBox box) {
  HWND rich = CreateRichEdit(parent, id, box.X, box.Y, box.Width, box.Height);
  SendMessageW(rich, WM_SETFONT, reinterpret_cast<WPARAM>(c.Fonts.Form.Get()), FALSE);
  c.Layout.Add(rich, box, TFormFont::kRichText);
  return ReadOnlyText(rich);
}

struct THeaderText {
  TPage Page;
  const wchar_t* Title;
  const wchar_t* Subtitle;
  int Bitmap;
};

constexpr THeaderText kHeaderTexts[] = {
    {TPage::kInfo, L"Information", L"Please read this important information before continuing.",
     IDB_HEADER_INFO},
    {TPage::kLicense, L"License Agreement",
     L"Please read this License Agreement before continuing.", IDB_HEADER_LICENSE},
    {TPage::kFolder, L"Select Destination Folder",
     L"Please specify where the wizard should put the program files.", IDB_HEADER_FOLDER},
    {TPage::kReady, L"Ready to Install",
     L"We have all the information needed to install the program.", IDB_HEADER_READY},
    {TPage::kProgress, L"Installation in Progress",
     L"Please wait while the wizard is copying the files to your computer.", IDB_HEADER_PROGRESS},
    {TPage::kNews, L"What's New",
     L"These lines below contain information about changes since the last version.",
     IDB_HEADER_NEWS},
};

static_assert(IDB_VARIANT_STEP == kPictureVariantStep, "picture variants are numbered alike");

// The picture resource `id` drawn for the DPI of `window`.
// The header pictures and the button glyph drawn for the controls' resolution.
void LoadFormPictures(TFormControls& c) {
  for (const THeaderText& text : kHeaderTexts)
    c.Header(text.Page).Bitmap = LoadPictureResource(text.Bitmap, c.Dpi);
  c.AddGlyph = LoadPictureResource(IDB_ADD_FOLDER_GLYPH, c.Dpi);
}

void CreateHeader(TFormControls& c, const THeaderText& text) {
  THeader& header = c.Header(text.Page);
  Panel(c, header.Band, c.Page(text.Page).Handle(), Box(0, 0, kFormClientWidth, kHeaderHeight),
        kWhite);
  HWND band = header.Band.Handle();
  Child(c, band, L"STATIC", L"", SS_ETCHEDHORZ, Box(0, 66, kFormClientWidth, 2), -1,
        TFormFont::kNone);
  header.Picture = Child(c, band, L"STATIC", L"", SS_OWNERDRAW, Box(456, 9, 48, 48),
                         kIdHeaderPicture, TFormFont::kNone);
  header.Title = Label(c, band, text.Title, Box(24, 18, 409, 19), TFormFont::kTitle, kLabelOneLine);
  // Room for a second line above the rule: with a wider font than the form was laid out for,
  // the What's New subtitle wraps instead of being cut.
  header.Subtitle = Label(c, band, text.Subtitle, Box(24, 38, 417, 26));
}

void CreateStartPage(TFormControls& c) {
  HWND page = c.Page(TPage::kStart).Handle();
  Panel(c, c.Panel5, page, Box(0, 0, 160, kPageHeight), kBlack);
  c.ImgBanner = Child(c, c.Panel5.Handle(), L"STATIC", L"", SS_OWNERDRAW,
                      Box(0, 0, 160, kPageHeight), kIdImgBanner, TFormFont::kNone);
  Panel(c, c.PanelInstall, page, Box(161, 8, 343, 305), kWhite);
  HWND install = c.PanelInstall.Handle();
  c.LabelStart1 = Label(c, install, L"", Box(16, 24, 321, 73), TFormFont::kHeading);
  c.LabelStart2.Create(install, 16, 104);
  c.LabelStart2.SetFont(c.Fonts.Form.Get());
  c.LabelStart2.SetColor(0x00FFFFFF);
  c.Layout.Add(c.LabelStart2.Handle(), Box(16, 104, 313, 169), TFormFont::kForm);
  Panel(c, c.PanelFinish, page, Box(161, 8, 343, 305), kWhite);
  HWND finish = c.PanelFinish.Handle();
  c.LabelFinish1 =
      Label(c, finish, L"Installation Complete", Box(16, 24, 321, 33), TFormFont::kHeading);
  c.LabelFinish2 = Label(c, finish, L"", Box(16, 64, 313, 65));
  c.CheckRun =
      Child(c, finish, L"BUTTON", L"Run this MetaTrader application after install.",
            BS_AUTOCHECKBOX | WS_TABSTOP, Box(16, 136, 305, 17), kIdCheckRun, TFormFont::kForm);
  // The height of a drop-down list is that of its list dropped down.
  c.ComboRun = Child(c, finish, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                     Box(32, 168, 273, 23 + 8 * kComboItemHeight), kIdComboRun, TFormFont::kForm);
  ShowWindow(finish, SW_HIDE);
}

void CreateInfoAndNewsPages(TFormControls& c) {
  HWND info = c.Page(TPage::kInfo).Handle();
  Label(c, info, L"When you are ready to continue with the installation, click Next.",
        Box(40, 80, 433, 13), TFormFont::kForm, kLabelOneLine);
  c.RichInfo = Rich(c, info, kIdRichInfo, Box(40, 100, 433, 202));
  HWND news = c.Page(TPage::kNews).Handle();
  Label(c, news, L"When you are ready to continue, click Next.", Box(40, 80, 433, 13),
        TFormFont::kForm, kLabelOneLine);
  c.RichNews = Rich(c, news, kIdRichNews, Box(40, 100, 433, 202));
}

void CreateLicensePage(TFormControls& c) {
  HWND page = c.Page(TPage::kLicense).Handle();
  Label(c, page,
        L"Please read the following License Agreement carefully. You have to agree with this "
        L"agreement if you want to install this program in your computer.",
        Box(40, 80, 433, 28));
  c.RichLicense = Rich(c, page, kIdRichLicense, Box(40, 116, 433, 149));
  c.RadioAccept = Child(c, page, L"BUTTON", L"I accept the agreement",
                        BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, Box(40, 274, 273, 17),
                        kIdRadioAccept, TFormFont::kForm);
  c.RadioNotAccept = Child(c, page, L"BUTTON", L"I do not accept the agreement", BS_AUTORADIOBUTTON,
                           Box(40, 292, 273, 17), kIdRadioNotAccept, TFormFont::kForm);
  SendMessageW(c.RadioNotAccept, BM_SETCHECK, BST_CHECKED, 0);
}

void CreateFolderPage(TFormControls& c) {
  HWND page = c.Page(TPage::kFolder).Handle();
  Label(c, page,
        L"Please put a checkmark before a MetaTrader installation where you want to install the "
        L"expert to. You can also manually add a MetaTrader folder that is not listed here by "
        L"clicking the button below.",
        Box(40, 80, 433, 41));
  c.ListMetaTrader.Create(page, kIdListMetaTrader, 40, 128, 433, 145, c.Fonts.Form.Get());
  c.Layout.Add(c.ListMetaTrader.Handle(), Box(40, 128, 433, 145), TFormFont::kForm);
  c.BtnAddMetaTrader = Child(c, page, L"BUTTON", L" Add a MetaTrader folder", BS_OWNERDRAW,
                             Box(40, 280, 177, 28), kIdBtnAddMetaTrader, TFormFont::kForm);
}

void CreateReadyAndProgressPages(TFormControls& c) {
  HWND ready = c.Page(TPage::kReady).Handle();
  Label(c, ready,
        L"Please review these information below. Click on Prev button if you want to make a "
        L"correction. When you are ready to continue, click Next button.",
        Box(40, 80, 433, 33));
  c.MemoReady = Memo(c, ready, Box(40, 116, 433, 187), kIdMemoReady);
  HWND progress = c.Page(TPage::kProgress).Handle();
  c.LabelProgress3 = Label(c, progress, L"Installation progress ....", Box(40, 80, 433, 17),
                           TFormFont::kForm, kLabelOneLine);
  c.ProgressBar1 = Child(c, progress, PROGRESS_CLASSW, L"", 0, Box(40, 104, 433, 17),
                         kIdProgressBar1, TFormFont::kNone);
  SendMessageW(c.ProgressBar1, PBM_SETRANGE32, 0, 100);
  c.MemoProgress = Memo(c, progress, Box(40, 136, 433, 167), kIdMemoProgress);
  c.Page(TPage::kProgress).SetControlColor(c.MemoProgress, GetSysColor(COLOR_WINDOW));
}

void CreateButtonBar(HWND form, TFormControls& c) {
  Panel(c, c.Panel1, form, Box(0, kPageHeight, kFormClientWidth, 48), GetSysColor(COLOR_BTNFACE));
  HWND bar = c.Panel1.Handle();
  Child(c, bar, L"STATIC", L"", SS_ETCHEDHORZ, Box(0, 0, kFormClientWidth, 2), -1,
        TFormFont::kNone);
  c.BtnNext = Child(c, bar, L"BUTTON", L"Next >>", BS_DEFPUSHBUTTON | WS_TABSTOP,
                    Box(335, 13, 75, 25), kIdBtnNext, TFormFont::kForm);
  c.BtnCancel = Child(c, bar, L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP,
                      Box(423, 13, 75, 25), kIdBtnCancel, TFormFont::kForm);
  c.BtnPrev = Child(c, bar, L"BUTTON", L"<< Prev", BS_PUSHBUTTON | WS_TABSTOP, Box(255, 13, 75, 25),
                    kIdBtnPrev, TFormFont::kForm);
}

// What the form's layout does not hold: the lengths inside controls.
void ApplyInnerLengths(TFormControls& c, UINT dpi) {
  c.LabelStart2.SetMarginWidth(ScaleForDpi(kStartLinkMargin, dpi));
  c.LabelStart2.SetMarginHeight(ScaleForDpi(kStartLinkMargin, dpi));
  SendMessageW(c.ComboRun, CB_SETITEMHEIGHT, 0, ScaleForDpi(kComboItemHeight, dpi));
  c.ListMetaTrader.SetDpi(dpi);
}

}  // namespace

void CreateFormControls(HWND form, TFormControls& c) {
  const UINT dpi = WindowDpi(form);
  c.Dpi = dpi;
  c.Fonts = CreateFormFonts(dpi);
  c.Layout = TFormLayout(dpi);
  for (size_t i = 0; i < c.Pages.size(); ++i) {
    const COLORREF color = i == 0 ? kWhite : GetSysColor(COLOR_BTNFACE);
    Panel(c, c.Pages[i], form, Box(0, 0, kFormClientWidth, kPageHeight), color);
    ShowWindow(c.Pages[i].Handle(), SW_HIDE);
  }
  for (const THeaderText& text : kHeaderTexts)
    CreateHeader(c, text);
  CreateStartPage(c);
  CreateInfoAndNewsPages(c);
  CreateLicensePage(c);
  CreateFolderPage(c);
  CreateReadyAndProgressPages(c);
  CreateButtonBar(form, c);
  c.Layout.Apply(dpi, c.Fonts);
  ApplyInnerLengths(c, dpi);
  LoadFormPictures(c);
}

void LayOutFormControls(TFormControls& c, UINT dpi) {
  TFormFonts fonts = CreateFormFonts(dpi);
  c.Layout.Apply(dpi, fonts);
  ApplyInnerLengths(c, dpi);
  // The old fonts go only now that no control shows its text in them.
  c.Fonts = std::move(fonts);
  c.Dpi = dpi;
  LoadFormPictures(c);
}

void ShowUninstallFinish(TFormControls& c) {
  ShowWindow(c.CheckRun, SW_HIDE);
  ShowWindow(c.ComboRun, SW_HIDE);
  c.Layout.Move(c.LabelFinish2, Box(16, 64, 313, 225), c.Dpi);
}

void SetWindowText16(HWND window, const std::u16string& text) {
  SetWindowTextW(window, Wide(text));
}

std::u16string WindowText16(HWND window) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  const int length = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                    static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return std::u16string(text.begin(), text.end());
}

bool IsChecked(HWND button) {
  return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace xa
