#ifndef XA_WIZARD_FORM_ENVIRONMENT_WIN_H_
#define XA_WIZARD_FORM_ENVIRONMENT_WIN_H_

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/data_folders.h"

namespace xa {

// What the wizard form takes from the system: the program it runs as and the services that
// show modal windows or start other programs. The program uses DefaultFormEnvironment; tests
// replace the parts that would wait for a person or act outside the test.
struct TFormEnvironment {
  // The executable whose record the form loads; its file name decides the role.
  std::string ExecutablePath;
  // The Program Files folder, with or without a trailing backslash.
  std::function<std::string(bool trailing_delimiter)> ProgramFiles;
  // The current user's MetaTrader 4 data folders; none when unset.
  std::function<std::vector<TDataFolder>()> DataFolders;
  // Shows a modal message box with one OK button; `icon` is an MB_ICON* flag.
  std::function<
      void(HWND owner, const std::u16string& text, const std::u16string& title, UINT icon)>
      ShowMessage;
  // Opens `file` (a program, web address or "mailto:" address) through the shell.
  std::function<void(const std::string& file)> ShellOpen;
  // Starts the removal of `file` (and of its folder when `remove_folder`) after the program.
  std::function<bool(const std::string& file, bool remove_folder)> SelfDelete;
  // Lets the user pick a folder, preselecting `folder`; true with the choice in `folder`, in
  // UTF-16 as the shell holds it.
  std::function<bool(std::u16string& folder)> PickFolder;
  // Ends the message loop when the form is destroyed.
  bool QuitOnDestroy = true;
};

// The environment of the running program: its own executable, the real folders, message boxes,
// shell, self-removal and folder picker.
TFormEnvironment DefaultFormEnvironment();

}  // namespace xa

#endif  // XA_WIZARD_FORM_ENVIRONMENT_WIN_H_
