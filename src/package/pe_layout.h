#ifndef XA_PACKAGE_PE_LAYOUT_H_
#define XA_PACKAGE_PE_LAYOUT_H_

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace xa {

// Raised when a byte image is not a PE program that can be handled; the text says why.
class PeLayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
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

}  // namespace xa

#endif  // XA_PACKAGE_PE_LAYOUT_H_
