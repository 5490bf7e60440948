#ifndef XA_ENGINE_UNINSTALLER_STUB_H_
#define XA_ENGINE_UNINSTALLER_STUB_H_

#include <cstdint>

#include "package/stream.h"

namespace xa {

// Copies the program part of `installer` to `output`: its first N bytes, where N is the
// record pointer at offset 136, read from the start, with the PE checksum and certificate
// table entry zeroed (a signed installer's signature lies past the program part, so the copy
// would otherwise claim a broken one). Returns N. Raises EStreamError "Invalid
// file format" unless 140 <= N <= the installer's size, "Stream read error" or "Stream write
// error" when a pass comes up short.
int64_t CopyInstallerStub(TStream& installer, TStream& output);

}  // namespace xa

#endif  // XA_ENGINE_UNINSTALLER_STUB_H_
