#include "engine/installer_check.h"

#include <cstring>
#include <optional>

#include "engine/install_rules.h"
#include "package/errors.h"
#include "package/file_stream.h"
#include "package/record_location.h"

namespace xa {

bool IsInstallerWhole(TStream& installer, const TXaInstall& install) {
  const int64_t size = installer.Size();
  const std::optional<int32_t> pointer = ReadRecordPointer(installer);
  if (!pointer)
    return false;
  // Our programs carry 0 there until a record is appended right after them.
  if (*pointer >= kPayloadPointerOffset + 4 && *pointer >= size)
    return false;
  try {
    CheckPackageContents(install, size);
  } catch (const EStreamError&) {
    return false;
  }
  return true;
}

void LoadWholeInstaller(TXaInstall& install, const std::string& path) {
  try {
    install.LoadFromFile(path);
  } catch (const EStreamError& error) {
    // The banner's bytes ran past the end of the file.
    if (std::strcmp(error.what(), kStreamReadError) == 0)
      Raise<Exception>(kDamagedInstaller);
    throw;
  }
  TFileStream installer(path, FileMode::kOpenRead);
  if (!IsInstallerWhole(installer, install))
    Raise<Exception>(kDamagedInstaller);
}

}  // namespace xa
