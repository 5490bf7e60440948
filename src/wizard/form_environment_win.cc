#include "wizard/form_environment_win.h"

#include <shellapi.h>

#include "engine/self_delete.h"
#include "engine/terminal.h"
#include "linklabel/ansi.h"
#include "linklabel/wide_text.h"
#include "package/executable_path.h"
#include "shell/folder_picker.h"
#include "shell/sys_folders.h"
#include "wizard/wizard_messages.h"

namespace xa {
TFormEnvironment DefaultFormEnvironment() {
  TFormEnvironment environment;
  environment.ExecutablePath = ExecutablePath();
  environment.ProgramFiles = [](bool trailing_delimiter) {
    return GetSysFolder(SysFolderId::kProgramFiles, trailing_delimiter);
  };
  environment.DataFolders = [] { return ReadDataFolders(DataFoldersRoot()); };
  environment.ShowMessage = [](HWND owner, const std::u16string& text, const std::u16string& title,
                               UINT icon) {
    MessageBoxW(owner, Wide(text), Wide(title), MB_OK | icon);
  };
  environment.ShellOpen = [](const std::string& file) {
    // Links open with the verb that starts a terminal.
    ShellExecuteA(nullptr, kTerminalStartVerb, file.c_str(), nullptr, nullptr, SW_SHOW);
  };
  environment.SelfDelete = &SelfDelete;
  environment.PickFolder = [](std::u16string& folder) {
    std::string start = Utf16ToAnsi(folder);
    return PickFolder(kPickTerminalFolderTitle, u"", start, folder);
  };
  return environment;
}

}  // namespace xa
