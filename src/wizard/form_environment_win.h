#ifndef XA_WIZARD_FORM_ENVIRONMENT_WIN_H_
#define XA_WIZARD_FORM_ENVIRONMENT_WIN_H_

#include <windows.h>

#include <string>
#include <vector>

#include "engine/data_folders.h"
#include "wizard/run_log_win.h"

namespace xa {

// What the wizard form takes from the system: the program it runs as and the services that
// show modal windows or start other programs. The program uses TSystemFormEnvironment; tests
// derive their own, in place of what would wait for a person or act outside the test. Virtual
// functions rather than std::function members: each of those brought its own manager, invoker
// and type information into the shipped program.
class TFormEnvironment {
 public:
  virtual ~TFormEnvironment() = default;

  // The executable whose record the form loads; its file name decides the role.
  std::string ExecutablePath;
  // Ends the message loop when the form is destroyed.
  bool QuitOnDestroy = true;
  // Shows only the progress page: RunPassive walks the pages as Next would, runs, and asks no
  // questions.
  bool Passive = false;
  // The terminal folders the folder page lists; empty: those it finds.
  std::vector<std::string> Terminals;

  // The Program Files folder, with or without a trailing backslash.
  virtual std::string ProgramFiles(bool trailing_delimiter) = 0;
  // The current user's MetaTrader 4 data folders.
  virtual std::vector<TDataFolder> DataFolders() = 0;
  // Shows a modal message box with one OK button; `icon` is an MB_ICON* flag.
  virtual void ShowMessage(HWND owner,
                           const std::u16string& text,
                           const std::u16string& title,
                           UINT icon) = 0;
  // Opens `file` (a program, web address or "mailto:" address) through the shell.
  virtual void ShellOpen(const std::string& file) = 0;
  // Starts the removal of `file` (and of its folder when `remove_folder`) after the program.
  virtual bool SelfDelete(const std::string& file, bool remove_folder) = 0;
  // Lets the user pick a folder, preselecting `folder`; true with the choice in `folder`, in
  // UTF-16 as the shell holds it.
  virtual bool PickFolder(std::u16string& folder) = 0;
  // Told the terminal folders and every progress line of a run (ANSI text), for a log; from
  // the run's thread too. By default nobody listens.
  virtual void Note(const std::string& line) { (void)line; }
};

// The environment of the running program: its own executable, the real folders, message boxes,
// shell, self-removal and folder picker; with a Log, the notes and messages go there too, and
// in passive mode only there.
class TSystemFormEnvironment final : public TFormEnvironment {
 public:
  // Takes the running program's executable path.
  TSystemFormEnvironment();

  // The system's Program Files folder.
  std::string ProgramFiles(bool trailing_delimiter) override;
  // The data folders read from the user's application data.
  std::vector<TDataFolder> DataFolders() override;
  // A message box of the system.
  void ShowMessage(HWND owner,
                   const std::u16string& text,
                   const std::u16string& title,
                   UINT icon) override;
  // Opens `file` with the verb that starts a terminal.
  void ShellOpen(const std::string& file) override;
  // The batch removal of the engine.
  bool SelfDelete(const std::string& file, bool remove_folder) override;
  // The shell's folder picker.
  bool PickFolder(std::u16string& folder) override;
  // Writes `line` to Log.
  void Note(const std::string& line) override;

  // The run's log, or null; not owned.
  TRunLog* Log = nullptr;
};

}  // namespace xa

#endif  // XA_WIZARD_FORM_ENVIRONMENT_WIN_H_
