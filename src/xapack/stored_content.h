#ifndef XA_XAPACK_STORED_CONTENT_H_
#define XA_XAPACK_STORED_CONTENT_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "package/stream.h"
#include "package/xa_install.h"

// The enciphered content of one package file inside an installer.
namespace xa::xapack {

// Why the stored content of `file` cannot be read from an installer of `installer_size` bytes
// (a negative offset, a size that is not a positive multiple of 16, a content running past the
// end); nullopt when it lies whole inside the installer.
std::optional<std::string> StoredContentProblem(const TXaInstallFile& file, int64_t installer_size);

// Raised for a package whose record ends before its end marker (TXaInstall::CutShort).
inline constexpr char kCutShortRecord[] =
    "the package record is cut short (an incomplete download or a damaged file)";

// The plain size of `file`, from the count in its deciphered final block. Raises
// ECipherException "Invalid file format" when that count is above 15 (a wrong key or a damaged
// content). The content must have passed StoredContentProblem.
int64_t PlainSizeOf(TStream& installer,
                    const TXaInstallFile& file,
                    const std::array<uint8_t, 16>& key);

}  // namespace xa::xapack

#endif  // XA_XAPACK_STORED_CONTENT_H_
