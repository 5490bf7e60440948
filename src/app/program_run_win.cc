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
#include "package/role.h"
#include "shell/sys_folders.h"
#include "wizard/form_installer_win.h"
#include "wizard/terminal_discovery_win.h"
#include "wizard/wizard_messages.h"
#include "wizard/wizard_texts.h"

namespace xa {
namespace {

void AppendDigits(std::u16string& text, unsigned value, int digits) {
  for (int i = digits - 1; i >= 0; --i, value /= 10)
    text[text.size() - digits + i] = static_cast<char16_t>(u'0' + value % 10);
}

// The local time as "2026-12-09 20:30:00", or for a file name "20261209-203000".
std::u16string Now(bool for_file_name) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  const unsigned parts[] = {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
  const char16_t* separators = for_file_name ? u"\0\0-\0\0" : u"-- ::";
  std::u16string text;
  for (size_t i = 0; i < 6; ++i) {
    if (i > 0 && separators[i - 1] != u'\0')
      text += separators[i - 1];
    const int digits = i == 0 ? 4 : 2;
    text.append(static_cast<size_t>(digits), u'0');
    AppendDigits(text, parts[i], digits);
  }
  return text;
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
    if (instance_.AnotherRuns() && options_.Mode != TRunMode::kWizard) {
      log_.AnsiLine(ExitCodeMeaning(TExitCode::kAlreadyRunning));
      return TExitCode::kAlreadyRunning;
    }
    if (options_.LogFile || options_.Mode != TRunMode::kWizard)
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
    const std::string name(FileNamePart(environment_.ExecutablePath));
    MessageBoxW(nullptr, Wide(text), Wide(AnsiToUtf16(name.substr(0, name.rfind('.')))),
                MB_OK | icon);
  }

  // Where an unattended run's log goes without /LOG: the temporary folder, named after the
  // wizard's title ("Install - Program") or, before the record gave one, the program file.
  void AttachDefaultLog() {
    if (log_.Attached())
      return;
    std::u16string name = title_;
    if (name.empty()) {
      const std::string file(FileNamePart(environment_.ExecutablePath));
      name = AnsiToUtf16(file.substr(0, file.rfind('.')));
    }
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
      TExitCode code = TExitCode::kSuccess;
      if (!ChooseTerminals(environment_.Terminals, code))
        return code;
    }
    form.RunPassive();
    return form.Outcome();
  }

  TExitCode SilentInstall() {
    TXaInstall install;
    if (!Load([&] { LoadWholeInstaller(install, environment_.ExecutablePath); }))
      return TExitCode::kCannotStart;
    title_ = AnsiToUtf16(InstallTexts(install).Title);
    AttachDefaultLog();
    if (IsTerminalRunning()) {
      log_.Line(kTerminalRunningError);
      return TExitCode::kTerminalRunning;
    }
    TExitCode code = TExitCode::kSuccess;
    if (!ChooseTerminals(install.TerminalFolders, code))
      return code;
    for (const std::string& line :
         TerminalLines(install.TerminalFolders, environment_.DataFolders()))
      log_.AnsiLine(line);
    bool partly_undone = false;
    install.OnProgress = [&](TXaData&, const std::string& message, int32_t) {
      log_.AnsiLine(message);
      partly_undone = partly_undone || message == kInstallPartlyUndone;
    };
    try {
      xa::RunInstall(install);
    } catch (...) {
      NoteError(std::current_exception());
      return partly_undone ? TExitCode::kRunPartlyUndone : TExitCode::kRunUndone;
    }
    return TExitCode::kSuccess;
  }

  TExitCode SilentUninstall() {
    TXaUninstall uninstall;
    if (!Load([&] { uninstall.LoadFromFile(environment_.ExecutablePath); }))
      return TExitCode::kCannotStart;
    title_ = AnsiToUtf16(UninstallTexts(uninstall).Title);
    AttachDefaultLog();
    if (IsTerminalRunning()) {
      log_.Line(kTerminalRunningError);
      return TExitCode::kTerminalRunning;
    }
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

  template <typename TLoad>
  bool Load(TLoad load) {
    try {
      load();
      return true;
    } catch (...) {
      NoteError(std::current_exception());
      return false;
    }
  }

  // The terminal folders of an unattended install: those /TERMINALS names, each of which must
  // hold terminal.exe, or else those the folder page would list; false, with `code` set and
  // the reason logged, when there is none to install into.
  bool ChooseTerminals(std::vector<std::string>& terminals, TExitCode& code) {
    if (!options_.Terminals) {
      terminals =
          FindAllTerminalFolders(environment_.ProgramFiles(false), environment_.DataFolders());
      if (!terminals.empty())
        return true;
      log_.Line(u"No MetaTrader terminal was found on this computer.");
      code = TExitCode::kNoTerminal;
      return false;
    }
    for (const std::u16string& folder : *options_.Terminals) {
      std::string path;
      if (!TryUtf16ToAnsi(folder, path)) {
        log_.Line(UnmappableFolderError(folder));
        code = TExitCode::kCannotStart;
        return false;
      }
      if (!TerminalExeExists(path)) {
        log_.Line(u"The folder \"" + folder + u"\" holds no terminal.exe.");
        code = TExitCode::kNoTerminal;
        return false;
      }
      terminals.push_back(path);
    }
    return true;
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
