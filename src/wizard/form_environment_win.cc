#include "wizard/form_environment_win.h"

#include <shellapi.h>

#include "engine/self_delete.h"
#include "shell/folder_picker.h"
#include "shell/sys_folders.h"
#include "wizard/wizard_messages.h"

namespace xa {
namespace {

std::string OwnExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring Wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace

TFormEnvironment DefaultFormEnvironment() {
  TFormEnvironment environment;
  environment.ExecutablePath = OwnExecutablePath();
  environment.ProgramFiles = [](bool trailing_delimiter) {
    return GetSysFolder(SysFolderId::kProgramFiles, trailing_delimiter);
  };
  environment.ShowMessage = [](HWND owner, const std::u16string& text, const std::u16string& title,
                               UINT icon) {
    MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), MB_OK | icon);
  };
  environment.ShellOpen = [](const std::string& file) {
    ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOW);
  };
  environment.SelfDelete = &SelfDelete;
  environment.PickFolder = [](std::string& folder) {
    return PickFolder(kPickTerminalFolderTitle, u"", folder);
  };
  return environment;
}

}  // namespace xa
