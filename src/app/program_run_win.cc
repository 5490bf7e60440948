#include "app/program_run_win.h"

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "app/run_options.h"
#include "app/single_instance_win.h"
#include "engine/install_run.h"
#include "engine/installer_check.h"
#include "engine/uninstall_run.h"
#include "linklabel/ansi.h"
#include "linklabel/wide_text.h"
#include "package/function_ref.h"
#include "package/role.h"
#include "package/text_join.h"
#include "shell/sys_folders.h"
#include "wizard/form_installer_win.h"
#include "wizard/terminal_discovery_win.h"
#include "wizard/wizard_messages.h"
#include "wizard/wizard_texts.h"

namespace xa {
namespace {

// The local time as "2026-12-09 20:30:00", or for a file name "20261209-203000".
std::u16string Now(bool for_file_name) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  const char* date = for_file_name ? "" : "-";
  const char* time = for_file_name ? "" : ":";
  std::string text;
  AppendDigits(text, t.wYear, 4);
  text += date;
  AppendDigits(text, t.wMonth, 2);
  text += date;
  AppendDigits(text, t.wDay, 2);
  text += for_file_name ? "-" : " ";
  AppendDigits(text, t.wHour, 2);
  text += time;
  AppendDigits(text, t.wMinute, 2);
  text += time;
  AppendDigits(text, t.wSecond, 2);
  return AnsiToUtf16(text);
}

class TProgramRun {
 public:
  TProgramRun(TSystemFormEnvironment& environment, std::u16string_view command_line)
      : environment_(environment),
        arguments_(ArgumentsOf(command_line)),
        uninstaller_(IsUninstallRole(environment.ExecutablePath)) {}

  TExitCode Run() {
    log_.Line(AnsiToUtf16(environment_.ExecutablePath) + u", xasetup " + AnsiToUtf16(XA_VERSION) +
              u", " + Now(false));
    log_.Line(u"Options:" + std::u16string(arguments_.empty() ? u" none" : arguments_));
    const TExitCode code = RunOptions();
    log_.AnsiLine(ExitCodeLine(code));
    if (unattended_)
      AttachDefaultLog();
    return code;
  }

 private:
  TExitCode RunOptions() {
    try {
      options_ = ParseRunOptions(arguments_, uninstaller_);
    } catch (const EOptionError& error) {
      log_.Line(error.Text);
      if (const std::optional<std::u16string> log_file = LogFileOf(arguments_))
        log_.Attach(*log_file);
      unattended_ = AsksForSilence(arguments_);
      if (!unattended_)
        Box(error.Text + u"\r\n\r\n" + RunOptionsHelp(), MB_ICONERROR);
      return TExitCode::kCannotStart;
    }
    unattended_ = options_.Mode != TRunMode::kWizard;
    if (options_.Help) {
      Box(RunOptionsHelp(), MB_ICONINFORMATION);
      return TExitCode::kSuccess;
    }
    if (options_.LogFile && !log_.Attach(*options_.LogFile)) {
      const std::u16string error = u"Cannot create the log file \"" + *options_.LogFile + u"\".";
      if (options_.Mode == TRunMode::kWizard)
        Box(error, MB_ICONERROR);
      log_.Line(error);
      return TExitCode::kCannotStart;
    }
    if (instance_.AnotherRuns() && unattended_) {
      log_.AnsiLine(ExitCodeMeaning(TExitCode::kAlreadyRunning));
      return TExitCode::kAlreadyRunning;
    }
    if (options_.LogFile || unattended_)
      environment_.Log = &log_;
    switch (options_.Mode) {
      case TRunMode::kWizard:
        return RunWizard();
      case TRunMode::kPassive:
        return RunPassive();
      case TRunMode::kSilent:
        return uninstaller_ ? SilentUninstall() : SilentInstall();
    }
    return TExitCode::kCannotStart;
  }

  void Box(const std::u16string& text, UINT icon) {
    MessageBoxW(nullptr, Wide(text), Wide(AnsiToUtf16(FileTitlePart(environment_.ExecutablePath))),
                MB_OK | icon);
  }

  // Where an unattended run's log goes without /LOG: the temporary folder, named after the
  // wizard's title ("Install - Program") or, before the record gave one, the program file.
  void AttachDefaultLog() {
    if (log_.Attached())
      return;
    const std::u16string name =
        title_.empty() ? AnsiToUtf16(FileTitlePart(environment_.ExecutablePath)) : title_;
    log_.Attach(AnsiToUtf16(GetSysFolder(SysFolderId::kTemp, true)) + LogFileName(name, Now(true)));
  }

  // Creates the form and loads its record; false after showing (or, passive, logging) why not.
  static bool Created(TFormInstaller& form) {
    try {
      form.Create();
      return true;
    } catch (...) {
      form.ShowError(std::current_exception());
      return false;
    }
  }

  TExitCode RunWizard() {
    TFormInstaller form(environment_);
    if (!Created(form))
      return TExitCode::kCannotStart;
    form.Show();
    MSG msg;
    HWND window = form.Handle();
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      // Dialog navigation: Tab between controls, Enter for the default button.
      if (IsWindow(window) && IsDialogMessageW(window, &msg))
        continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return form.Outcome();
  }

  TExitCode RunPassive() {
    environment_.Passive = true;
    environment_.QuitOnDestroy = false;
    TFormInstaller form(environment_);
    if (!Created(form))
      return TExitCode::kCannotStart;
    title_ = form.Title();
    AttachDefaultLog();
    if (!uninstaller_) {
      const TExitCode code = ChooseTerminals(environment_.Terminals, environment_.DataFolders());
      if (code != TExitCode::kSuccess)
        return code;
    }
    form.RunPassive();
    return form.Outcome();
  }

  TExitCode SilentInstall() {
    TXaInstall install;
    if (!Load([&] { LoadWholeInstaller(install, environment_.ExecutablePath); }))
      return TExitCode::kCannotStart;
    if (!Begin(AnsiToUtf16(InstallTexts(install).Title)))
      return TExitCode::kTerminalRunning;
    const std::vector<TDataFolder> data_folders = environment_.DataFolders();
    const TExitCode code = ChooseTerminals(install.TerminalFolders, data_folders);
    if (code != TExitCode::kSuccess)
      return code;
    for (const std::string& line : TerminalLines(install.TerminalFolders, data_folders))
      log_.AnsiLine(line);
    install.OnProgress = [&](TXaData&, const std::string& message, int32_t) {
      log_.AnsiLine(message);
    };
    try {
      xa::RunInstall(install);
    } catch (...) {
      NoteError(std::current_exception());
      return install.PartlyUndone ? TExitCode::kRunPartlyUndone : TExitCode::kRunUndone;
    }
    return TExitCode::kSuccess;
  }

  TExitCode SilentUninstall() {
    TXaUninstall uninstall;
    if (!Load([&] { uninstall.LoadFromFile(environment_.ExecutablePath); }))
      return TExitCode::kCannotStart;
    if (!Begin(AnsiToUtf16(UninstallTexts(uninstall).Title)))
      return TExitCode::kTerminalRunning;
    uninstall.OnProgress = [&](TXaData&, const std::string& message, int32_t) {
      log_.AnsiLine(message);
    };
    try {
      xa::RunUninstall(uninstall);
    } catch (...) {
      NoteError(std::current_exception());
      return TExitCode::kRunPartlyUndone;
    }
    // Only an uninstaller of ours removes itself, as on Finish.
    if (uninstall.RecordFound)
      environment_.SelfDelete(environment_.ExecutablePath, true);
    return TExitCode::kSuccess;
  }

  // Names a silent run after its record and gives it its default log; false, logged, while a
  // terminal runs.
  bool Begin(const std::u16string& title) {
    title_ = title;
    AttachDefaultLog();
    if (!IsTerminalRunning())
      return true;
    log_.Line(kTerminalRunningError);
    return false;
  }

  bool Load(TFunctionRef<void()> load) {
    try {
      load();
      return true;
    } catch (...) {
      NoteError(std::current_exception());
      return false;
    }
  }

  // The terminal folders of an unattended install: those /TERMINALS names, each of which must
  // hold terminal.exe, or else those the folder page would list from `data_folders`. kSuccess
  // when there are some, else the code to end with, its reason logged.
  TExitCode ChooseTerminals(std::vector<std::string>& terminals,
                            const std::vector<TDataFolder>& data_folders) {
    if (!options_.Terminals) {
      terminals = FindAllTerminalFolders(environment_.ProgramFiles(false), data_folders);
      if (!terminals.empty())
        return TExitCode::kSuccess;
      log_.Line(u"No MetaTrader terminal was found on this computer.");
      return TExitCode::kNoTerminal;
    }
    for (const std::u16string& folder : *options_.Terminals) {
      std::string path;
      if (!TryUtf16ToAnsi(folder, path)) {
        log_.Line(UnmappableFolderError(folder));
        return TExitCode::kCannotStart;
      }
      if (!TerminalExeExists(path)) {
        log_.Line(u"The folder \"" + folder + u"\" holds no terminal.exe.");
        return TExitCode::kNoTerminal;
      }
      terminals.push_back(path);
    }
    return TExitCode::kSuccess;
  }

  void NoteError(std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& raised) {
      log_.Line(u"Error: " + AnsiToUtf16(raised.what()));
    } catch (...) {
      log_.Line(u"Error: unexpected error");
    }
  }

  TSystemFormEnvironment& environment_;
  std::u16string arguments_;
  bool uninstaller_;
  bool unattended_ = false;  // passive or silent: a log even without /LOG
  TRunOptions options_;
  TRunLog log_;
  TSingleInstance instance_;
  std::u16string title_;
};

}  // namespace

TExitCode RunProgram(TSystemFormEnvironment& environment, std::u16string_view command_line) {
  return TProgramRun(environment, command_line).Run();
}

}  // namespace xa
