#include "engine/uninstaller.h"

#include <windows.h>

#include "engine/install_rules.h"
#include "engine/uninstall_entry.h"
#include "engine/uninstaller_stub.h"
#include "package/file_stream.h"
#include "shell/folder_rules.h"
#include "shell/record_writers.h"
#include "shell/registry_key.h"

namespace xa {
namespace {

uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return 0;
  return uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

// The bytes of the files the install recorded and of the uninstaller; a file that is missing
// counts nothing.
uint64_t InstalledBytes(const TXaInstall& install, const std::string& executable) {
  uint64_t bytes = FileSize(executable);
  for (const TInstalledItem& item : install.InstalledItems) {
    if (item.Mark != kInstalledFolder)
      bytes += FileSize(item.Path);
  }
  return bytes;
}

}  // namespace

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
  RegisterUninstaller(journal, install, executable);
  WriteFileShortcut(journal, shortcut, executable);
}

void RegisterUninstaller(TInstallJournal& journal,
                         const TXaInstall& install,
                         const std::string& executable) {
  const std::string key_path = UninstallKeyPath(install.ProgramName);
  const std::vector<TUninstallValue> values =
      UninstallEntryValues(install, executable, InstalledBytes(install, executable));
  std::vector<std::string> names;
  for (const TUninstallValue& value : values)
    names.push_back(value.Name);
  journal.KeepRegistryValues(HKEY_LOCAL_MACHINE, key_path, names);
  TRegKey key;
  key.Create(HKEY_LOCAL_MACHINE, key_path);
  for (const TUninstallValue& value : values) {
    if (value.IsNumber)
      key.WriteDword(value.Name, value.Number);
    else
      key.WriteString(value.Name, value.Text);
  }
}

}  // namespace xa
