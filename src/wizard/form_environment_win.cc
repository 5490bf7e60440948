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

TSystemFormEnvironment::TSystemFormEnvironment() {
  ExecutablePath = xa::ExecutablePath();
}

std::string TSystemFormEnvironment::ProgramFiles(bool trailing_delimiter) {
  return GetSysFolder(SysFolderId::kProgramFiles, trailing_delimiter);
}

std::vector<TDataFolder> TSystemFormEnvironment::DataFolders() {
  return ReadDataFolders(DataFoldersRoot());
}

void TSystemFormEnvironment::ShowMessage(HWND owner,
                                         const std::u16string& text,
                                         const std::u16string& title,
                                         UINT icon) {
  if (Log)
    Log->Line(title + u": " + text);
  if (!Passive)
    MessageBoxW(owner, Wide(text), Wide(title), MB_OK | icon);
}

void TSystemFormEnvironment::Note(const std::string& line) {
  if (Log)
    Log->AnsiLine(line);
}

void TSystemFormEnvironment::ShellOpen(const std::string& file) {
  // Links open with the verb that starts a terminal.
  ShellExecuteA(nullptr, kTerminalStartVerb, file.c_str(), nullptr, nullptr, SW_SHOW);
}

bool TSystemFormEnvironment::SelfDelete(const std::string& file, bool remove_folder) {
  return xa::SelfDelete(file, remove_folder);
}

bool TSystemFormEnvironment::PickFolder(std::u16string& folder) {
  std::string start = Utf16ToAnsi(folder);
  return xa::PickFolder(kPickTerminalFolderTitle, u"", start, folder);
}

}  // namespace xa
