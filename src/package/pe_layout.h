#ifndef XA_PACKAGE_PE_LAYOUT_H_
#define XA_PACKAGE_PE_LAYOUT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "package/message_error.h"

namespace xa {

// Raised when a byte image is not a PE program that can be handled; the text says why.
class PeLayoutError : public TMessageError {
 public:
  using TMessageError::TMessageError;
};

// File offset of the NT headers ("PE\0\0"), read from e_lfanew. Raises PeLayoutError when the
// image has no MS-DOS header or no PE signature at that offset.
uint32_t NtHeadersOffset(const std::vector<uint8_t>& image);

// One past the last byte of the PE headers (signature, file header, optional header, section
// table). Raises PeLayoutError as NtHeadersOffset, or when the table runs past the image.
uint32_t NtHeadersEnd(const std::vector<uint8_t>& image);

// Moves the NT headers and the section table of `image` to `new_offset` (a multiple of 8, not
// below the current offset), zeroes the bytes they left and updates e_lfanew. The room comes
// from the padding before the first section (SizeOfHeaders); raises PeLayoutError when it is
// too small, naming how many bytes are missing.
void RelocateNtHeaders(std::vector<uint8_t>& image, uint32_t new_offset);

// A data directory entry: where a table lies and how long it is.
struct PeDataDirectory {
  uint32_t address = 0;
  uint32_t size = 0;
};

// Data directory indexes.
inline constexpr uint32_t kCertificateTableIndex = 4;  // the Authenticode signature; a file offset
inline constexpr uint32_t kBaseRelocationIndex = 5;

// Flags of the file header and of the optional header's DllCharacteristics.
inline constexpr uint16_t kRelocsStripped = 0x0001;
inline constexpr uint16_t kHighEntropyVa = 0x0020;
inline constexpr uint16_t kDynamicBase = 0x0040;
inline constexpr uint16_t kNxCompat = 0x0100;

// The file header's Characteristics. Raises PeLayoutError as NtHeadersOffset or when the
// headers run past `image`.
uint16_t FileCharacteristics(const std::vector<uint8_t>& image);

// The optional header's DllCharacteristics of a PE32 or PE32+ image. Raises PeLayoutError as
// NtHeadersOffset, for an unknown optional header, or when the headers run past `image`.
uint16_t DllCharacteristics(const std::vector<uint8_t>& image);

// Data directory `index` of a PE32 or PE32+ image; zero when the header holds fewer
// directories (by its count or by its size). Raises as DllCharacteristics.
PeDataDirectory DataDirectory(const std::vector<uint8_t>& image, uint32_t index);

// Why `image` lacks the hardening of a program that is downloaded and run with administrator
// rights, as a phrase; nullopt when it has it all: ASLR (DYNAMIC_BASE) with its base
// relocations kept (RELOCS_STRIPPED clear, a non-empty base relocation directory), DEP
// (NX_COMPAT) and, in a PE32+ image, high-entropy addresses. Raises as DllCharacteristics.
std::optional<std::string> HardeningProblem(const std::vector<uint8_t>& image);

// The certificate table entry; zero for an unsigned image. Raises as DllCharacteristics.
PeDataDirectory CertificateTable(const std::vector<uint8_t>& image);

// File offset of the checksum field of a PE32 or PE32+ image. Raises as DllCharacteristics.
uint32_t CheckSumOffset(const std::vector<uint8_t>& image);

// Zeroes the certificate table entry and the checksum of `image`, so that a copy of a signed
// program's leading bytes claims no signature (Windows ignores a checksum of 0 in programs).
// Raises as DllCharacteristics.
void ClearSignatureFields(std::vector<uint8_t>& image);

}  // namespace xa

#endif  // XA_PACKAGE_PE_LAYOUT_H_
