#ifndef XA_ENGINE_INSTALLER_CHECK_H_
#define XA_ENGINE_INSTALLER_CHECK_H_

#include <cstdint>
#include <string>

#include "package/stream.h"
#include "package/xa_install.h"

namespace xa {

// Shown when the installer's own file is cut or damaged, as a broken download leaves it.
inline constexpr char kDamagedInstaller[] =
    "The installer is damaged or incomplete.\rPlease download it again.";

// True when `installer`, the file `install` was loaded from, holds all of it: the record
// pointer does not point at or past the end of the file, the payload reached its end marker,
// and every file entry's stored content (Size bytes from Offset) lies inside the file. A file
// without a record (pointer 0, or a pointer at no record of ours) counts as whole.
bool IsInstallerWhole(TStream& installer, const TXaInstall& install);

// Loads `install` from the installer at `path` and checks that it came whole, before the wizard
// shows its first page. Raises Exception kDamagedInstaller for a record cut short (also inside
// its banner) or a file content outside the file; "Cannot open file ..." as LoadFromFile.
void LoadWholeInstaller(TXaInstall& install, const std::string& path);

}  // namespace xa

#endif  // XA_ENGINE_INSTALLER_CHECK_H_
