#ifndef XA_PACKAGE_PACKAGE_WRITER_H_
#define XA_PACKAGE_PACKAGE_WRITER_H_

#include <cstdint>
#include <vector>

#include "package/stream.h"
#include "package/xa_install.h"

namespace xa {

// Stored (enciphered) length of a file of `plain_size` bytes: whole blocks plus one final block.
int64_t StoredSize(int64_t plain_size);

// Writes an installer to `output`: the bytes of `stub` (from its start), the "XAIN" payload of
// `package` (tags in ascending id order, one file entry per element of package.Files, an end
// marker), then each file's content enciphered with package.ContentKey, back to back, and the
// stub's length as the record pointer at offset 136.
// `contents[i]` supplies the plain bytes of package.Files[i] from its current position to its
// end; the Size and Offset fields of the entries are filled in here. Raises Exception when
// the installer would not fit the format's 32-bit signed offsets and sizes, EStreamError when
// a read or write comes up short.
void WriteInstaller(TXaInstall& package,
                    const std::vector<TStream*>& contents,
                    TStream& stub,
                    TStream& output);

}  // namespace xa

#endif  // XA_PACKAGE_PACKAGE_WRITER_H_
