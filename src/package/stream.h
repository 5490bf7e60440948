#ifndef XA_PACKAGE_STREAM_H_
#define XA_PACKAGE_STREAM_H_

#include <cstdint>

namespace xa {

enum class SeekOrigin { kBeginning, kCurrent, kEnd };

// An abstract seekable byte stream. Positions, offsets and counts are bytes, 64-bit signed.
class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to `count` bytes into `buffer`; returns how many were read (0 at the end, never
  // negative). Raises EStreamError only for a failing device, not for a short read.
  virtual int64_t Read(void* buffer, int64_t count) = 0;

  // Writes up to `count` bytes; returns how many were stored (fewer on a full disk).
  virtual int64_t Write(const void* buffer, int64_t count) = 0;

  // Moves the position and returns the new one. Raises EStreamError "Seek out of range" when
  // the target would be negative.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;

  // Length of the stream in bytes. The default seeks to the end and back.
  virtual int64_t Size();

  int64_t Position() { return Seek(0, SeekOrigin::kCurrent); }

  // Reads exactly `count` bytes or raises EStreamError "Stream read error".
  void ReadBuffer(void* buffer, int64_t count);

  // Writes exactly `count` bytes or raises EStreamError "Stream write error".
  void WriteBuffer(const void* buffer, int64_t count);

  // Copies `count` bytes from `source` (from its position) in passes of at most 4096 bytes,
  // checking every read and write; raises as ReadBuffer and WriteBuffer.
  void CopyFrom(TStream& source, int64_t count);
};

// Reads from `stream` until `count` bytes are in or it ends, for streams that may hand out fewer
// bytes a read than asked for; returns how many came. Raises as Read.
int64_t ReadUpTo(TStream& stream, void* buffer, int64_t count);

// The position Seek(offset, origin) moves to from `position` in a stream of `size` bytes.
// Raises EStreamError "Seek out of range" when it would be negative.
int64_t SeekTarget(int64_t position, int64_t size, int64_t offset, SeekOrigin origin);

}  // namespace xa

#endif  // XA_PACKAGE_STREAM_H_
