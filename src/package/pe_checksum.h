#ifndef XA_PACKAGE_PE_CHECKSUM_H_
#define XA_PACKAGE_PE_CHECKSUM_H_

#include <cstdint>

#include "package/stream.h"

namespace xa {

// The PE checksum of the whole of `file` as Windows computes it (CheckSumMappedFile): the
// 16-bit little-endian words folded into 16 bits with their carries, an odd last byte padded
// with zero, the 4 bytes at `checksum_offset` counted as zero, plus the file's length. Reads
// from the start to the end; raises EStreamError when a read fails.
uint32_t PeChecksum(TStream& file, int64_t checksum_offset);

// Writes the checksum of the whole of `file`, a PE32 or PE32+ program with anything appended,
// into its optional header, so that the installer's header tells the truth about the file
// and not about the bare program it was built from. Raises PeLayoutError for a file that is not
// such a program, EStreamError when a read or write fails.
void StampPeChecksum(TStream& file);

}  // namespace xa

#endif  // XA_PACKAGE_PE_CHECKSUM_H_
