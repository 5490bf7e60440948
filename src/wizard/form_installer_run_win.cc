#include "wizard/form_installer_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "engine/data_folders.h"
#include "engine/install_run.h"
#include "engine/uninstall_run.h"
#include "linklabel/ansi.h"
#include "linklabel/wide_text.h"
#include "shell/sys_folders.h"
#include "wizard/background_run_win.h"
#include "wizard/summary.h"
#include "wizard/terminal_discovery_win.h"
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

}  // namespace

bool TFormInstaller::CheckMetaTraderClosed() {
  return !IsTerminalRunning();
}

void TFormInstaller::ScanMetaTrader() {
  if (FFoldersScanned)
    return;
  controls_.ListMetaTrader.Clear();
  const std::string root = environment_.ProgramFiles(false);
  const std::vector<std::string> folders =
      environment_.Terminals.empty() ? FindAllTerminalFolders(root, environment_.DataFolders())
                                     : environment_.Terminals;
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
  std::u16string folder = AnsiToUtf16(environment_.ProgramFiles(false));
  if (!environment_.PickFolder(folder))
    return;
  // The engine works with 8-bit paths: a folder the code page cannot name would be installed
  // into a different path, so it is refused.
  std::string path;
  if (!TryUtf16ToAnsi(folder, path)) {
    environment_.ShowMessage(hwnd_, UnmappableFolderError(folder), kErrorTitle, MB_ICONERROR);
    return;
  }
  AddTerminalFolder(path);
}

std::vector<std::string> TFormInstaller::CheckedFolders() const {
  std::vector<std::string> checked;
  const TCheckListBox& list = controls_.ListMetaTrader;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Checked(i))
      checked.push_back(Utf16ToAnsi(list.Text(i)));
  }
  return checked;
}

void TFormInstaller::BuildSummary() {
  const TXaData& record = FIsUninstall ? static_cast<const TXaData&>(*FUninstall) : *FInstall;
  const std::vector<TDataFolder> data_folders = environment_.DataFolders();
  const std::string app_data = GetSysFolder(SysFolderId::kUserAppData, false);
  const auto data_folders_of = [&](const std::string& folder) {
    std::vector<std::string> shown = DataFoldersOf(data_folders, folder);
    for (std::string& data_folder : shown)
      data_folder = ShortDataFolder(data_folder, app_data);
    return shown;
  };
  const std::vector<std::string> lines =
      SummaryLines(record, CheckedFolders(), environment_.ProgramFiles(true), data_folders_of);
  SendMessageW(controls_.MemoReady, WM_SETREDRAW, FALSE, 0);
  SetWindowText16(controls_.MemoReady, JoinLines(lines));
  SendMessageW(controls_.MemoReady, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(controls_.MemoReady, nullptr, TRUE);
}

void TFormInstaller::RunInstall() {
  SendMessageW(controls_.ComboRun, CB_RESETCONTENT, 0, 0);
  for (const std::string& folder : CheckedFolders()) {
    FInstall->TerminalFolders.push_back(folder);
    if (TerminalExeExists(folder)) {
      const std::u16string text = AnsiToUtf16(folder);
      SendMessageW(controls_.ComboRun, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
    }
  }
  for (const std::string& line :
       TerminalLines(FInstall->TerminalFolders, environment_.DataFolders()))
    environment_.Note(line);
  FInstall->OnProgress = ProgressHandler();
  try {
    RunInBackground([this] { xa::RunInstall(*FInstall); });
  } catch (...) {
    outcome_ = FInstall->PartlyUndone ? TExitCode::kRunPartlyUndone : TExitCode::kRunUndone;
    throw;
  }
  outcome_ = TExitCode::kSuccess;
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
  try {
    RunInBackground([this] { xa::RunUninstall(*FUninstall); });
  } catch (...) {
    outcome_ = TExitCode::kRunPartlyUndone;
    throw;
  }
  outcome_ = TExitCode::kSuccess;
  RunReturned();
}

ProgressCallback TFormInstaller::ProgressHandler() {
  return [this](TXaData& sender, const std::string& message, int32_t position) {
    ReportProgress(sender, message, position);
  };
}

void TFormInstaller::RunInBackground(TFunctionRef<void()> run) {
  running_ = true;
  EnableMenuItem(GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  SetTimer(hwnd_, kProgressTimer, kProgressInterval, nullptr);
  try {
    RunWhileDispatching(run);
  } catch (...) {
    EndRun();
    throw;
  }
  EndRun();
}

void TFormInstaller::EndRun() {
  KillTimer(hwnd_, kProgressTimer);
  running_ = false;
  EnableMenuItem(GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
  ShowProgress();
}

void TFormInstaller::RunReturned() {
  SendMessageW(controls_.ProgressBar1, PBM_SETPOS, 100, 0);
  FRunDone = true;
  flow_->RunFinished();
  ApplyButtons();
}

void TFormInstaller::ReportProgress(TXaData&, const std::string& message, int32_t position) {
  environment_.Note(message);
  progress_.Add(message, position);
  if (GetCurrentThreadId() == gui_thread_)
    ShowProgress();
}

void TFormInstaller::ShowProgress() {
  const TProgressBatch::TReports reports = progress_.Take();
  if (reports.Messages.empty())
    return;
  HWND memo = controls_.MemoProgress;
  const int end = GetWindowTextLengthW(memo);
  std::u16string lines;
  for (const std::string& message : reports.Messages) {
    if (end > 0 || !lines.empty())
      lines += u"\r\n";
    lines += AnsiToUtf16(message);
  }
  const DWORD start = GetTickCount();
  SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(lines)));
  // The caret to the start of the new last line keeps the list scrolled to its left edge,
  // where every message begins.
  const size_t break_at = lines.rfind(u"\r\n");
  const WPARAM last_line =
      static_cast<WPARAM>(end) + (break_at == std::u16string::npos ? 0 : break_at + 2);
  SendMessageW(memo, EM_SETSEL, last_line, static_cast<LPARAM>(last_line));
  SendMessageW(memo, EM_SCROLLCARET, 0, 0);
  SendMessageW(controls_.ProgressBar1, PBM_SETPOS,
               static_cast<WPARAM>(std::clamp<int32_t>(reports.Percent, 0, 100)), 0);
  PaintNow();
  // Appending to a long list costs more the longer it is (in some edit controls, in proportion
  // to the whole text): the next batch waits a few times this one's cost, so that showing stays
  // a small part of the run however many lines come.
  const DWORD cost = GetTickCount() - start;
  show_after_ = GetTickCount() + kProgressCostFactor * cost;
}

void TFormInstaller::ProgressTimer() {
  if (static_cast<LONG>(GetTickCount() - show_after_) >= 0)
    ShowProgress();
}

void TFormInstaller::PaintNow() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace xa
