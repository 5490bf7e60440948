#ifndef XA_WIZARD_FORM_INSTALLER_WIN_H_
#define XA_WIZARD_FORM_INSTALLER_WIN_H_

#include <windows.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "package/function_ref.h"
#include "package/xa_install.h"
#include "package/xa_uninstall.h"
#include "shell/window_binding_win.h"
#include "wizard/form_controls_win.h"
#include "wizard/form_environment_win.h"
#include "wizard/form_icons_win.h"
#include "wizard/page_flow.h"
#include "wizard/progress_batch.h"
#include "wizard/run_outcome.h"

namespace xa {

// Window class name of the wizard form, and its styles: a fixed border, a title bar with the
// system menu and close box only.
inline constexpr wchar_t kFormClassName[] = L"TFormInstaller";
inline constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

// The timer that shows a run's progress reports, and how often: often enough to look live,
// seldom enough that showing costs little beside the run.
inline constexpr UINT_PTR kProgressTimer = 1;
inline constexpr UINT kProgressInterval = 40;
// A batch of progress lines waits at least this many times the cost of showing the last one.
inline constexpr DWORD kProgressCostFactor = 4;

// The wizard: one fixed-size top-level window that walks the pages of its role, install or
// uninstall, decided by the executable's file name. It shows the errors caught in any window
// procedure of the process (ReportWindowError) in the application's error box.
class TFormInstaller : private TWindowHandler {
 public:
  // The form over `environment`, which outlives it.
  explicit TFormInstaller(TFormEnvironment& environment);
  ~TFormInstaller() override;
  TFormInstaller(const TFormInstaller&) = delete;
  TFormInstaller& operator=(const TFormInstaller&) = delete;

  // Creates the window (hidden) and its controls, then FormCreate: loads the record of the role
  // and shows the first page. Raises what loading raises ("Cannot open file ...", "Stream read
  // error", "Failed to Load Stream"); the window is then destroyed.
  void Create();

  // Centres the window on the screen and shows it.
  void Show();

  // For a passive run, after Create: walks the pages as Next would with the licence accepted,
  // showing the form from the progress page on, through the run to the last page; an
  // uninstaller then removes itself as on Finish. Errors are shown through the environment
  // (which logs them in passive mode); Outcome() tells how it went. Never raises.
  void RunPassive();

  // How the form's run went so far: kCancelled until a run ends, kTerminalRunning after a
  // refusal for a running terminal, then the run's own result.
  TExitCode Outcome() const { return outcome_; }

  HWND Handle() const { return hwnd_; }
  const TFormControls& Controls() const { return controls_; }
  TFormControls& Controls() { return controls_; }
  bool IsUninstall() const { return FIsUninstall; }
  int32_t PageIndex() const { return flow_ ? flow_->PageIndex() : -1; }
  // The page list of the role; empty before the record is loaded.
  std::vector<TPage> Pages() const { return flow_ ? flow_->Pages() : std::vector<TPage>{}; }
  bool RunDone() const { return FRunDone; }
  // The page now in front.
  TPage CurrentPage() const;
  TXaInstall* Install() const { return FInstall.get(); }
  // The application title: "Install - " or "Uninstall - " and the program name.
  const std::u16string& Title() const { return title_; }

  // Button and link handlers; the window calls them for clicks, tests may call them directly.
  void BtnNextClick();
  void BtnPrevClick();
  void BtnCancelClick();
  // The uninstaller's Finish: an uninstaller of ours starts its own removal.
  void FinishUninstall();
  void RadioAcceptClick();
  void BtnAddMetaTraderClick();
  void LabelStart2LinkClick(int32_t link_number, const std::u16string& link_text);

  // The runs' progress callback, called on the run's thread: queues `message` as the progress
  // list's next line and `position` (percent, outside 0..100 at the nearer end) for the bar,
  // which the window shows every few tens of milliseconds while the run lasts. Called on the
  // window's own thread it shows them at once.
  void ReportProgress(TXaData& sender, const std::string& message, int32_t position);

  // Shows `error` in the application's default error box: titled with the application title
  // (before it is known, the program file's name), the error icon, a "." added where due.
  void ShowError(std::exception_ptr error);

  // True while an install or uninstall run lasts.
  bool Running() const { return running_; }

  // The resolution the form is laid out for (dots per inch).
  UINT Dpi() const { return controls_.Dpi; }

 private:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;
  void WindowDetached(HWND hwnd) noexcept override;
  void Command(int id, int code, HWND control);
  void DrawItem(const DRAWITEMSTRUCT& item) noexcept;
  void ShowQueuedErrors();
  void Destroy();

  // Resolution changes.
  void FitWindowToDpi();
  void DpiChanged(UINT dpi, const RECT& suggested);

  void FormCreate();
  void SetupInstall();
  void SetupUninstall();
  void ApplyTexts(const struct TRoleTexts& texts);
  void ShowBanner(const std::vector<uint8_t>& jpeg);
  bool ValidatePage();
  void ShowPage(const TPageEntry& entry);
  void ApplyButtons();
  void BringToFront(TPage page);

  // Terminal discovery, summary, runs and progress.
  bool CheckMetaTraderClosed();
  void ScanMetaTrader();
  void AddTerminalFolder(const std::string& path);
  std::vector<std::string> CheckedFolders() const;
  void BuildSummary();
  void RunInstall();
  void RunUninstall();
  ProgressCallback ProgressHandler();
  void RunInBackground(TFunctionRef<void()> run);
  void EndRun();
  void RunReturned();
  void ShowProgress();
  void ProgressTimer();
  void PaintNow();

  TFormEnvironment& environment_;
  HWND hwnd_ = nullptr;
  TFormControls controls_;
  TFormIcons icons_;
  std::unique_ptr<TPageFlow> flow_;
  std::u16string title_;
  bool FIsUninstall = false;
  bool FFoldersScanned = false;
  bool FRunDone = false;
  bool running_ = false;
  TExitCode outcome_ = TExitCode::kCancelled;
  DWORD gui_thread_ = 0;
  TProgressBatch progress_;
  DWORD show_after_ = 0;  // GetTickCount() from which the timer shows the next batch
  std::unique_ptr<TXaInstall> FInstall;
  std::unique_ptr<TXaUninstall> FUninstall;
};

}  // namespace xa

#endif  // XA_WIZARD_FORM_INSTALLER_WIN_H_
