#include "wizard/form_controls_win.h"

#include <commctrl.h>

#include <string>

#include "linklabel/wide_text.h"
#include "package/errors.h"
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
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kLabelOneLine = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kMemo =
    ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

// A visible child window; raises Exception when the system refuses it.
HWND Child(HWND parent,
           const wchar_t* window_class,
           const wchar_t* text,
           DWORD style,
           RECT box,
           int id,
           HFONT font,
           DWORD ex_style = 0) {
  HWND hwnd = CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, box.left,
                              box.top, box.right, box.bottom, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd)
    throw Exception("Cannot create the control \"" + std::to_string(id) + "\"");
  if (font)
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

// x, y, width, height as the layout tables give them.
RECT Box(int x, int y, int width, int height) {
  return RECT{x, y, width, height};
}

HWND Label(HWND parent, const wchar_t* text, RECT box, HFONT font, DWORD style = kLabel) {
  return Child(parent, L"STATIC", text, style, box, -1, font);
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
HWND Memo(HWND parent, RECT box, int id, HFONT font) {
  HWND memo = Child(parent, L"EDIT", L"", kMemo, box, id, font, WS_EX_CLIENTEDGE);
  SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
  return ReadOnlyText(memo);
}

// A read-only rich text box in the form font; set before any text so plain text is not bold.
HWND Rich(HWND parent, int id, RECT box, HFONT font) {
  HWND rich = CreateRichEdit(parent, id, box.left, box.top, box.right, box.bottom);
  SendMessageW(rich, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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
HBITMAP LoadResourceBitmap(int id, HWND window) {
  return LoadPictureResource(id, WindowDpi(window)).Release();
}

void CreateHeader(TFormControls& c, const THeaderText& text) {
  THeader& header = c.Header(text.Page);
  header.Band.Create(c.Page(text.Page).Handle(), 0, 0, kFormClientWidth, kHeaderHeight, kWhite);
  HWND band = header.Band.Handle();
  Child(band, L"STATIC", L"", SS_ETCHEDHORZ, Box(0, 66, kFormClientWidth, 2), -1, nullptr);
  header.Bitmap = TGdiObject<HBITMAP>(LoadResourceBitmap(text.Bitmap, band));
  header.Picture =
      Child(band, L"STATIC", L"", SS_OWNERDRAW, Box(456, 9, 48, 48), kIdHeaderPicture, nullptr);
  header.Title = Label(band, text.Title, Box(24, 18, 409, 19), c.TitleFont.Get(), kLabelOneLine);
  // Room for a second line above the rule: with a wider font than the form was laid out for,
  // the What's New subtitle wraps instead of being cut.
  header.Subtitle = Label(band, text.Subtitle, Box(24, 38, 417, 26), c.FormFont.Get());
}

void CreateStartPage(TFormControls& c) {
  HFONT font = c.FormFont.Get();
  HWND page = c.Page(TPage::kStart).Handle();
  c.Panel5.Create(page, 0, 0, 160, kPageHeight, kBlack);
  c.ImgBanner = Child(c.Panel5.Handle(), L"STATIC", L"", SS_OWNERDRAW, Box(0, 0, 160, kPageHeight),
                      kIdImgBanner, nullptr);
  c.PanelInstall.Create(page, 161, 8, 343, 305, kWhite);
  HWND install = c.PanelInstall.Handle();
  c.LabelStart1 = Label(install, L"", Box(16, 24, 321, 73), c.HeadingFont.Get());
  c.LabelStart2.Create(install, 16, 104);
  c.LabelStart2.SetFont(font);
  c.LabelStart2.SetColor(0x00FFFFFF);
  c.LabelStart2.SetMarginWidth(0);
  c.LabelStart2.SetMarginHeight(0);
  SetWindowPos(c.LabelStart2.Handle(), nullptr, 0, 0, 313, 169, SWP_NOMOVE | SWP_NOZORDER);
  c.PanelFinish.Create(page, 161, 8, 343, 305, kWhite);
  HWND finish = c.PanelFinish.Handle();
  c.LabelFinish1 =
      Label(finish, L"Installation Complete", Box(16, 24, 321, 33), c.HeadingFont.Get());
  c.LabelFinish2 = Label(finish, L"", Box(16, 64, 313, 65), font);
  c.CheckRun = Child(finish, L"BUTTON", L"Run this MetaTrader application after install.",
                     BS_AUTOCHECKBOX | WS_TABSTOP, Box(16, 136, 305, 17), kIdCheckRun, font);
  c.ComboRun = Child(finish, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                     Box(32, 168, 273, 23 + 8 * 17), kIdComboRun, font);
  SendMessageW(c.ComboRun, CB_SETITEMHEIGHT, 0, 17);
  ShowWindow(finish, SW_HIDE);
}

void CreateInfoAndNewsPages(TFormControls& c) {
  HFONT font = c.FormFont.Get();
  HWND info = c.Page(TPage::kInfo).Handle();
  Label(info, L"When you are ready to continue with the installation, click Next.",
        Box(40, 80, 433, 13), font, kLabelOneLine);
  c.RichInfo = Rich(info, kIdRichInfo, Box(40, 100, 433, 202), font);
  HWND news = c.Page(TPage::kNews).Handle();
  Label(news, L"When you are ready to continue, click Next.", Box(40, 80, 433, 13), font,
        kLabelOneLine);
  c.RichNews = Rich(news, kIdRichNews, Box(40, 100, 433, 202), font);
}

void CreateLicensePage(TFormControls& c) {
  HFONT font = c.FormFont.Get();
  HWND page = c.Page(TPage::kLicense).Handle();
  Label(page,
        L"Please read the following License Agreement carefully. You have to agree with this "
        L"agreement if you want to install this program in your computer.",
        Box(40, 80, 433, 28), font);
  c.RichLicense = Rich(page, kIdRichLicense, Box(40, 116, 433, 149), font);
  c.RadioAccept =
      Child(page, L"BUTTON", L"I accept the agreement", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
            Box(40, 274, 273, 17), kIdRadioAccept, font);
  c.RadioNotAccept = Child(page, L"BUTTON", L"I do not accept the agreement", BS_AUTORADIOBUTTON,
                           Box(40, 292, 273, 17), kIdRadioNotAccept, font);
  SendMessageW(c.RadioNotAccept, BM_SETCHECK, BST_CHECKED, 0);
}

void CreateFolderPage(TFormControls& c) {
  HFONT font = c.FormFont.Get();
  HWND page = c.Page(TPage::kFolder).Handle();
  Label(page,
        L"Please put a checkmark before a MetaTrader installation where you want to install the "
        L"expert to. You can also manually add a MetaTrader folder that is not listed here by "
        L"clicking the button below.",
        Box(40, 80, 433, 41), font);
  c.ListMetaTrader.Create(page, kIdListMetaTrader, 40, 128, 433, 145, font);
  c.AddGlyph = TGdiObject<HBITMAP>(LoadResourceBitmap(IDB_ADD_FOLDER_GLYPH, page));
  c.BtnAddMetaTrader = Child(page, L"BUTTON", L" Add a MetaTrader folder", BS_OWNERDRAW,
                             Box(40, 280, 177, 28), kIdBtnAddMetaTrader, font);
}

void CreateReadyAndProgressPages(TFormControls& c) {
  HFONT font = c.FormFont.Get();
  HWND ready = c.Page(TPage::kReady).Handle();
  Label(ready,
        L"Please review these information below. Click on Prev button if you want to make a "
        L"correction. When you are ready to continue, click Next button.",
        Box(40, 80, 433, 33), font);
  c.MemoReady = Memo(ready, Box(40, 116, 433, 187), kIdMemoReady, font);
  HWND progress = c.Page(TPage::kProgress).Handle();
  c.LabelProgress3 =
      Label(progress, L"Installation progress ....", Box(40, 80, 433, 17), font, kLabelOneLine);
  c.ProgressBar1 =
      Child(progress, PROGRESS_CLASSW, L"", 0, Box(40, 104, 433, 17), kIdProgressBar1, nullptr);
  SendMessageW(c.ProgressBar1, PBM_SETRANGE32, 0, 100);
  c.MemoProgress = Memo(progress, Box(40, 136, 433, 167), kIdMemoProgress, font);
  c.Page(TPage::kProgress).SetControlColor(c.MemoProgress, GetSysColor(COLOR_WINDOW));
}

void CreateButtonBar(HWND form, TFormControls& c) {
  HFONT font = c.FormFont.Get();
  c.Panel1.Create(form, 0, kPageHeight, kFormClientWidth, 48, GetSysColor(COLOR_BTNFACE));
  HWND bar = c.Panel1.Handle();
  Child(bar, L"STATIC", L"", SS_ETCHEDHORZ, Box(0, 0, kFormClientWidth, 2), -1, nullptr);
  c.BtnNext = Child(bar, L"BUTTON", L"Next >>", BS_DEFPUSHBUTTON | WS_TABSTOP, Box(335, 13, 75, 25),
                    kIdBtnNext, font);
  c.BtnCancel = Child(bar, L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, Box(423, 13, 75, 25),
                      kIdBtnCancel, font);
  c.BtnPrev = Child(bar, L"BUTTON", L"<< Prev", BS_PUSHBUTTON | WS_TABSTOP, Box(255, 13, 75, 25),
                    kIdBtnPrev, font);
}

}  // namespace

void CreateFormControls(HWND form, TFormControls& c) {
  c.FormFont = CreatePixelFont(L"MS Sans Serif", 11, false);
  c.TitleFont = CreatePixelFont(L"Arial", 16, true);
  c.HeadingFont = CreatePixelFont(L"Arial", 21, false);
  for (size_t i = 0; i < c.Pages.size(); ++i) {
    const COLORREF color = i == 0 ? kWhite : GetSysColor(COLOR_BTNFACE);
    c.Pages[i].Create(form, 0, 0, kFormClientWidth, kPageHeight, color);
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
