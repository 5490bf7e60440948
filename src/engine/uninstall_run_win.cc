#include <windows.h>

#include "engine/install_rules.h"
#include "engine/uninstall_run.h"
#include "package/text_join.h"
#include "shell/registry_key.h"

namespace xa {

void RunUninstall(TXaUninstall& uninstall) {
  uninstall.StepsDone = 0;
  uninstall.StepsExpected =
      static_cast<int32_t>(uninstall.RecordedFiles.size() + uninstall.RecordedFolders.size() + 1);
  for (const std::string& file : uninstall.RecordedFiles) {
    uninstall.Progress(JoinText({"Delete file ", file, " ..."}), 1);
    DeleteFileA(file.c_str());
  }
  for (const std::string& folder : uninstall.RecordedFolders) {
    uninstall.Progress(JoinText({"Remove folder ", folder, " ..."}), 1);
    RemoveDirectoryA(folder.c_str());
  }
  uninstall.Progress("Unregistering uninstaller ...", 1);
  if (IsUsableProgramName(uninstall.ProgramName))
    DeleteKeyTree(HKEY_LOCAL_MACHINE, UninstallKeyPath(uninstall.ProgramName));
  uninstall.Progress("Done.", 1);
}

}  // namespace xa
