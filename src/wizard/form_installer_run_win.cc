#include "wizard/form_installer_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "engine/data_folders.h"
#include "engine/install_run.h"
#include "engine/uninstall_run.h"
#include "linklabel/ansi.h"
#include "shell/sys_folders.h"
#include "wizard/summary.h"
#include "wizard/terminal_discovery_win.h"
#include "wizard/wide_text.h"
#include "wizard/wizard_messages.h"

namespace xa {
namespace {

std::u16string JoinLines(const std::vector<std::string>& lines) {
  std::u16string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      text += u"\r\n";
    text += AnsiToUtf16(lines[i]);
  }
  return text;
}

std::vector<TDataFolder> UserDataFolders(const TFormEnvironment& environment) {
  return environment.DataFolders ? environment.DataFolders() : std::vector<TDataFolder>{};
}

}  // namespace

bool TFormInstaller::CheckMetaTraderClosed() {
  return !IsTerminalRunning();
}

void TFormInstaller::ScanMetaTrader() {
  if (FFoldersScanned)
    return;
  controls_.ListMetaTrader.Clear();
  const std::string root = environment_.ProgramFiles(false);
  std::vector<std::string> folders = FindTerminalFolders(root);
  // Terminals installed elsewhere are found through their data folders.
  const std::vector<std::string> elsewhere =
      UnlistedInstallations(folders, UserDataFolders(environment_), TerminalExeExists);
  folders.insert(folders.end(), elsewhere.begin(), elsewhere.end());
  for (const std::string& folder : folders)
    AddTerminalFolder(folder);
  if (controls_.ListMetaTrader.Count() == 0) {
    AddTerminalFolder(DefaultTerminalFolder(root));
    environment_.ShowMessage(hwnd_, kNoTerminalWarning, kWarningTitle, MB_ICONWARNING);
  }
  FFoldersScanned = true;
}

void TFormInstaller::AddTerminalFolder(const std::string& path) {
  controls_.ListMetaTrader.Add(AnsiToUtf16(path), true);
}

void TFormInstaller::BtnAddMetaTraderClick() {
  std::string folder = environment_.ProgramFiles(false);
  if (environment_.PickFolder(folder))
    AddTerminalFolder(folder);
}

void TFormInstaller::BuildSummary() {
  std::vector<std::string> checked;
  const TCheckListBox& list = controls_.ListMetaTrader;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Checked(i))
      checked.push_back(Utf16ToAnsi(list.Text(i)));
  }
  const TXaData& record = FIsUninstall ? static_cast<const TXaData&>(*FUninstall) : *FInstall;
  const std::vector<TDataFolder> data_folders = UserDataFolders(environment_);
  const std::string app_data = GetSysFolder(SysFolderId::kUserAppData, false);
  const auto data_folders_of = [&](const std::string& folder) {
    std::vector<std::string> shown = DataFoldersOf(data_folders, folder);
    for (std::string& data_folder : shown)
      data_folder = ShortDataFolder(data_folder, app_data);
    return shown;
  };
  SendMessageW(controls_.MemoReady, WM_SETREDRAW, FALSE, 0);
  SetWindowText16(
      controls_.MemoReady,
      JoinLines(SummaryLines(record, checked, environment_.ProgramFiles(true), data_folders_of)));
  SendMessageW(controls_.MemoReady, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(controls_.MemoReady, nullptr, TRUE);
}

void TFormInstaller::RunInstall() {
  SendMessageW(controls_.ComboRun, CB_RESETCONTENT, 0, 0);
  const TCheckListBox& list = controls_.ListMetaTrader;
  for (int i = 0; i < list.Count(); ++i) {
    if (!list.Checked(i))
      continue;
    const std::string folder = Utf16ToAnsi(list.Text(i));
    FInstall->TerminalFolders.push_back(folder);
    if (TerminalExeExists(folder)) {
      const std::u16string text = list.Text(i);
      SendMessageW(controls_.ComboRun, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
    }
  }
  FInstall->OnProgress = ProgressHandler();
  xa::RunInstall(*FInstall);
  RunReturned();
  const bool offer = SendMessageW(controls_.ComboRun, CB_GETCOUNT, 0, 0) > 0;
  SendMessageW(controls_.CheckRun, BM_SETCHECK, offer ? BST_CHECKED : BST_UNCHECKED, 0);
  if (offer) {
    SendMessageW(controls_.ComboRun, CB_SETCURSEL, 0, 0);
  } else {
    ShowWindow(controls_.CheckRun, SW_HIDE);
    ShowWindow(controls_.ComboRun, SW_HIDE);
  }
}

void TFormInstaller::RunUninstall() {
  FUninstall->OnProgress = ProgressHandler();
  xa::RunUninstall(*FUninstall);
  RunReturned();
}

ProgressCallback TFormInstaller::ProgressHandler() {
  return [this](TXaData& sender, const std::string& message, int32_t position) {
    ReportProgress(sender, message, position);
  };
}

void TFormInstaller::RunReturned() {
  SendMessageW(controls_.ProgressBar1, PBM_SETPOS, 100, 0);
  FRunDone = true;
  flow_->RunFinished();
  ApplyButtons();
}

void TFormInstaller::ReportProgress(TXaData&, const std::string& message, int32_t position) {
  HWND memo = controls_.MemoProgress;
  const int end = GetWindowTextLengthW(memo);
  std::u16string line = end > 0 ? u"\r\n" : u"";
  line += AnsiToUtf16(message);
  SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(line)));
  // The caret to the start of the new line keeps the list scrolled to its left edge, where
  // every message begins.
  const LRESULT last_line = SendMessageW(memo, EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
  SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(last_line), last_line);
  SendMessageW(memo, EM_SCROLLCARET, 0, 0);
  SendMessageW(controls_.ProgressBar1, PBM_SETPOS,
               static_cast<WPARAM>(std::clamp<int32_t>(position, 0, 100)), 0);
  PaintNow();
}

void TFormInstaller::PaintNow() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace xa
