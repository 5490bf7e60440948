#include <windows.h>

#include "engine/settings_override.h"
#include "package/file_stream.h"
#include "shell/folder_rules.h"
#include "shell/install_journal.h"

namespace xa {

void OverrideTerminalSettings(const TXaInstall& install,
                              TInstallJournal& journal,
                              const std::string& folder) {
  const std::string path = ExpertsIniPath(folder);
  journal.CreateFolders(FolderPart(path));
  TExpertsRecord record = DefaultExpertsRecord();
  bool longer = false;
  if (FileExists(path)) {
    TFileStream file(path, FileMode::kOpenRead);
    const int64_t read = file.Read(record.data(), static_cast<int64_t>(record.size()));
    longer = file.Size() > static_cast<int64_t>(record.size());
    journal.KeepHead(path, std::string(record.begin(), record.begin() + read));
  } else {
    journal.KeepFile(path);
  }
  PatchExpertsRecord(record, install.SettingsOverride);
  // A longer file is patched in place so that whatever follows the record survives.
  TFileStream file(path, longer ? FileMode::kOpenReadWrite : FileMode::kCreate);
  file.WriteBuffer(record.data(), static_cast<int64_t>(record.size()));
}

}  // namespace xa
