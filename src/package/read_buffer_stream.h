#ifndef XA_PACKAGE_READ_BUFFER_STREAM_H_
#define XA_PACKAGE_READ_BUFFER_STREAM_H_

#include <cstdint>
#include <vector>

#include "package/stream.h"

namespace xa {

// Reads `base` a block at a time from its position at construction on, so that a reader taking
// a few bytes at a time, as the record loaders do, asks the system once per block rather than
// once per field. Seeks only move its own position, and the size is the base's at construction
// (the loaders ask for it with every text): for a base nobody changes meanwhile. Read-only:
// writes store nothing. Does not own `base`, and leaves its position wherever the last block was
// read.
class TReadBufferStream : public TStream {
 public:
  explicit TReadBufferStream(TStream& base);

  int64_t Read(void* buffer, int64_t count) override;
  // Stores nothing and returns 0.
  int64_t Write(const void* buffer, int64_t count) override;
  // Raises EStreamError "Seek out of range" for a position before the start.
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return size_; }

 private:
  // Reads the block that starts at the position; false at the end of the base stream.
  bool Fill();

  TStream& base_;
  const int64_t size_;
  std::vector<uint8_t> block_;
  int64_t block_start_ = 0;
  int64_t position_;
};

}  // namespace xa

#endif  // XA_PACKAGE_READ_BUFFER_STREAM_H_
