#include <windows.h>

#include "engine/settings_override.h"
#include "package/file_stream.h"
#include "shell/folder_rules.h"

namespace xa {

void OverrideTerminalSettings(const TXaInstall& install, const std::string& folder) {
  const std::string path = ExpertsIniPath(folder);
  ForceDirectories(FolderPart(path));
  TExpertsRecord record = DefaultExpertsRecord();
  bool longer = false;
  if (FileExists(path)) {
    TFileStream file(path, FileMode::kOpenRead);
    file.Read(record.data(), static_cast<int64_t>(record.size()));
    longer = file.Size() > static_cast<int64_t>(record.size());
  }
  PatchExpertsRecord(record, install.SettingsOverride);
  // A longer file is patched in place so that whatever follows the record survives.
  TFileStream file(path, longer ? FileMode::kOpenReadWrite : FileMode::kCreate);
  file.WriteBuffer(record.data(), static_cast<int64_t>(record.size()));
}

}  // namespace xa
