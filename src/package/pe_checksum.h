#ifndef XA_PACKAGE_PE_CHECKSUM_H_
#define XA_PACKAGE_PE_CHECKSUM_H_

#include <cstdint>
#include <vector>

#include "package/stream.h"

namespace xa {

// The PE checksum of the whole of `file` as Windows computes it (CheckSumMappedFile): the
// 16-bit little-endian words folded into 16 bits with their carries, an odd last byte padded
// with zero, the 4 bytes at `checksum_offset` counted as zero, plus the file's length. Reads
// from the start to the end; raises EStreamError when a read fails.
uint32_t PeChecksum(TStream& file, int64_t checksum_offset);

// Passes every read, write and seek through to `target`, which must start empty, and keeps the
// sum of the words the target holds as they are written, writes over earlier bytes included.
// The checksum of a program with anything appended can so be stamped without reading the file
// back. Does not own `target`.
class TPeChecksumStream : public TStream {
 public:
  explicit TPeChecksumStream(TStream& target) : target_(target) {}

  int64_t Read(void* buffer, int64_t count) override;
  // Reads back the bytes a write replaces, to take them out of the sum; raises EStreamError
  // when that read fails.
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return end_; }

  // Writes the checksum of everything written, a PE32 or PE32+ program with anything appended,
  // into its optional header, so that the header tells the truth about the whole file and not
  // about the bare program. Raises PeLayoutError for bytes that are not such a program,
  // EStreamError when the write fails.
  void StampChecksum();

 private:
  // Copies what of `count` bytes written at `at` falls in the first page, where the headers lie.
  void KeepHeaders(const uint8_t* bytes, int64_t count, int64_t at);

  TStream& target_;
  int64_t position_ = 0;
  int64_t end_ = 0;
  // The exact sum of every word's value; an installer's 2 GiB keep it far below 2^64.
  uint64_t sum_ = 0;
  std::vector<uint8_t> headers_;
};

}  // namespace xa

#endif  // XA_PACKAGE_PE_CHECKSUM_H_
