#include "engine/uninstaller.h"

#include "engine/install_rules.h"
#include "engine/uninstaller_stub.h"
#include "package/file_stream.h"
#include "shell/folder_rules.h"
#include "shell/record_writers.h"
#include "shell/registry_key.h"

namespace xa {

void CreateUninstaller(TXaInstall& install,
                       TInstallJournal& journal,
                       const std::string& executable,
                       const std::string& shortcut) {
  install.InstalledItems.push_back({shortcut, 0});
  install.Progress("Creating unistaller ...", 1);
  journal.CreateFolders(FolderPart(executable));
  {
    TFileStream installer(install.FileName, FileMode::kOpenRead);
    journal.KeepFile(executable);
    TFileStream output(executable, FileMode::kCreate);
    CopyInstallerStub(installer, output);
    output.Seek(0, SeekOrigin::kEnd);
    install.SaveUninstallRecord(output);
  }
  install.Progress("Registering unistaller ...", 1);
  RegisterUninstaller(journal, install.ProgramName, executable);
  WriteFileShortcut(journal, shortcut, executable);
}

void RegisterUninstaller(TInstallJournal& journal,
                         const std::string& program_name,
                         const std::string& executable) {
  const std::string key_path = UninstallKeyPath(program_name);
  journal.KeepRegistryValues(HKEY_LOCAL_MACHINE, key_path,
                             {"DisplayName", "UninstallString", "DisplayIcon"});
  TRegKey key;
  key.Create(HKEY_LOCAL_MACHINE, key_path);
  key.WriteString("DisplayName", program_name);
  // Quoted: unquoted, a path with blanks lets C:\Program.exe run in our place.
  key.WriteString("UninstallString", "\"" + executable + "\"");
  key.WriteString("DisplayIcon", executable);
}

}  // namespace xa
