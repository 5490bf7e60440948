#include "wizard/form_installer_win.h"

#include <commctrl.h>

#include "engine/installer_check.h"
#include "engine/terminal.h"
#include "linklabel/ansi.h"
#include "package/role.h"
#include "wizard/picture_win.h"
#include "wizard/rich_text_win.h"
#include "wizard/wizard_messages.h"
#include "wizard/wizard_texts.h"

namespace xa {
namespace {

void SetText(HWND window, const std::string& ansi) {
  SetWindowText16(window, AnsiToUtf16(ansi));
}

}  // namespace

void TFormInstaller::FormCreate() {
  FIsUninstall = IsUninstallRole(environment_.ExecutablePath);
  if (FIsUninstall)
    SetupUninstall();
  else
    SetupInstall();
  BtnNextClick();
}

void TFormInstaller::SetupInstall() {
  FInstall = std::make_unique<TXaInstall>();
  LoadWholeInstaller(*FInstall, environment_.ExecutablePath);
  ApplyTexts(InstallTexts(*FInstall));
  ShowBanner(FInstall->Banner);
  const bool has_information = !FInstall->ReadmeText.empty();
  const bool has_whats_new = !FInstall->WhatsNewText.empty();
  if (has_information)
    LoadRichText(controls_.RichInfo, FInstall->ReadmeText);
  LoadRichText(controls_.RichLicense, FInstall->LicenseText);
  if (has_whats_new)
    LoadRichText(controls_.RichNews, FInstall->WhatsNewText);
  flow_ = std::make_unique<TPageFlow>(InstallPages(has_information, has_whats_new));
}

void TFormInstaller::SetupUninstall() {
  FUninstall = std::make_unique<TXaUninstall>();
  FUninstall->LoadFromFile(environment_.ExecutablePath);
  ApplyTexts(UninstallTexts(*FUninstall));
  ShowUninstallFinish(controls_);
  ShowBanner(FUninstall->Banner);
  flow_ = std::make_unique<TPageFlow>(UninstallPages());
}

void TFormInstaller::ApplyTexts(const TRoleTexts& texts) {
  title_ = AnsiToUtf16(texts.Title);
  SetWindowText16(hwnd_, title_);
  SetText(controls_.LabelStart1, texts.LabelStart1);
  controls_.LabelStart2.SetCaption(AnsiToUtf16(texts.LabelStart2));
  SetText(controls_.LabelFinish2, texts.LabelFinish2);
  if (!texts.LabelFinish1.empty())
    SetText(controls_.LabelFinish1, texts.LabelFinish1);
  THeader& progress = controls_.Header(TPage::kProgress);
  if (!texts.LabelProgress1.empty()) {
    SetText(progress.Title, texts.LabelProgress1);
    SetText(progress.Subtitle, texts.LabelProgress2);
    SetText(controls_.LabelProgress3, texts.LabelProgress3);
  }
}

void TFormInstaller::ShowBanner(const std::vector<uint8_t>& jpeg) {
  controls_.Banner = LoadBannerBitmap(jpeg, controls_.Dpi);
  InvalidateRect(controls_.ImgBanner, nullptr, TRUE);
}

void TFormInstaller::BtnNextClick() {
  if (flow_->PageIndex() + 1 >= static_cast<int32_t>(flow_->Pages().size()) || !ValidatePage())
    return;
  ShowPage(flow_->Next(IsChecked(controls_.RadioAccept), FRunDone));
}

void TFormInstaller::BtnPrevClick() {
  if (flow_->PageIndex() <= 0)
    return;
  ShowPage(flow_->Prev(IsChecked(controls_.RadioAccept), FRunDone));
}

bool TFormInstaller::ValidatePage() {
  if (flow_->PageIndex() != 0 || CheckMetaTraderClosed())
    return true;
  outcome_ = TExitCode::kTerminalRunning;
  environment_.ShowMessage(hwnd_, kTerminalRunningError, kErrorTitle, MB_ICONERROR);
  return false;
}

void TFormInstaller::ShowPage(const TPageEntry& entry) {
  if (entry.StartPart != TStartPart::kNone) {
    const bool finish = entry.StartPart == TStartPart::kFinish;
    ShowWindow(controls_.PanelFinish.Handle(), finish ? SW_SHOW : SW_HIDE);
    ShowWindow(controls_.PanelInstall.Handle(), finish ? SW_HIDE : SW_SHOW);
    SetWindowTextW(controls_.BtnCancel, finish ? L"Finish" : L"Cancel");
  }
  if (entry.Scan)
    ScanMetaTrader();
  if (entry.Summary)
    BuildSummary();
  BringToFront(entry.Page);
  ApplyButtons();
  if (entry.Page != TPage::kProgress)
    return;
  if (environment_.Passive && !IsWindowVisible(hwnd_))
    Show();
  PaintNow();
  if (!entry.Run)
    return;
  if (FIsUninstall)
    RunUninstall();
  else
    RunInstall();
}

void TFormInstaller::ApplyButtons() {
  const TButtonStates& buttons = flow_->Buttons();
  EnableWindow(controls_.BtnPrev, buttons.PrevEnabled);
  EnableWindow(controls_.BtnNext, buttons.NextEnabled);
  EnableWindow(controls_.BtnCancel, buttons.CancelEnabled);
  HWND focus = GetFocus();
  if (focus && IsWindowEnabled(focus) && IsWindowVisible(focus))
    return;
  // The focus must not stay on a control that was disabled or hidden: Next, else the first
  // control that can take it.
  if (buttons.NextEnabled)
    SetFocus(controls_.BtnNext);
  else if (HWND next = GetNextDlgTabItem(hwnd_, nullptr, FALSE))
    SetFocus(next);
}

void TFormInstaller::BringToFront(TPage page) {
  for (size_t i = 0; i < controls_.Pages.size(); ++i) {
    if (static_cast<TPage>(i) != page)
      ShowWindow(controls_.Pages[i].Handle(), SW_HIDE);
  }
  HWND panel = controls_.Page(page).Handle();
  SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void TFormInstaller::RadioAcceptClick() {
  flow_->LicenseChoice(IsChecked(controls_.RadioAccept));
  ApplyButtons();
}

void TFormInstaller::BtnCancelClick() {
  if (flow_->Buttons().FinishMode) {
    if (FIsUninstall) {
      FinishUninstall();
    } else {
      const std::string folder = Utf16ToAnsi(WindowText16(controls_.ComboRun));
      if (IsChecked(controls_.CheckRun) && !folder.empty())
        environment_.ShellOpen(folder + "\\" + kTerminalExeName);
    }
  }
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TFormInstaller::FinishUninstall() {
  // Only an uninstaller of ours removes itself: a program that merely carries the name must
  // never delete itself or its folder.
  if (FUninstall->RecordFound)
    environment_.SelfDelete(environment_.ExecutablePath, true);
}

void TFormInstaller::RunPassive() {
  SendMessageW(controls_.RadioAccept, BM_SETCHECK, BST_CHECKED, 0);
  try {
    for (int32_t page = -1; page != flow_->PageIndex();) {
      page = flow_->PageIndex();
      BtnNextClick();
    }
    if (FRunDone && FIsUninstall)
      FinishUninstall();
  } catch (...) {
    ShowError(std::current_exception());
  }
}

void TFormInstaller::LabelStart2LinkClick(int32_t, const std::u16string& link_text) {
  const std::string text = Utf16ToAnsi(link_text);
  environment_.ShellOpen(text.find('@') == std::string::npos ? text : "mailto:" + text);
}

}  // namespace xa
