#ifndef XA_PACKAGE_SUB_STREAM_H_
#define XA_PACKAGE_SUB_STREAM_H_

#include <cstdint>

#include "package/stream.h"

namespace xa {

// A window onto the bytes WindowStart..WindowEnd (inclusive) of another stream. Positions are
// relative to WindowStart; reads and writes stop at WindowEnd. The window moves the base stream
// itself and keeps no position of its own.
class TSubStream : public TStream {
 public:
  // Looks into `base_stream` from `start` to `end`; frees it on destruction when
  // `owns_base_stream`. Calls SetBounds.
  TSubStream(TStream* base_stream, int64_t start, int64_t end, bool owns_base_stream);
  ~TSubStream() override;
  TSubStream(const TSubStream&) = delete;
  TSubStream& operator=(const TSubStream&) = delete;

  // Stores the bounds and moves the base stream's position into them when it lies outside.
  void SetBounds(int64_t start, int64_t end);

  // Reads at most up to WindowEnd; returns 0 when the base stream is at or past it.
  int64_t Read(void* buffer, int64_t count) override;

  // Writes at most up to WindowEnd; returns 0 when the base stream is at or past it.
  int64_t Write(const void* buffer, int64_t count) override;

  // Moves the base stream and returns its new position relative to WindowStart; kEnd counts
  // from the byte after WindowEnd. Raises EStreamError "Seek out of range" when the result is
  // negative, after the base stream has moved.
  int64_t Seek(int64_t offset, SeekOrigin origin) override;

  // WindowEnd - WindowStart + 1, or 0 for an empty window.
  int64_t Size() override;

  TStream* BaseStream() const { return base_stream_; }
  bool OwnsBaseStream() const { return owns_base_stream_; }
  int64_t WindowStart() const { return window_start_; }
  int64_t WindowEnd() const { return window_end_; }

 private:
  // `count` cut so that it ends at WindowEnd; zero or negative when nothing is left.
  int64_t CutCount(int64_t count);

  TStream* base_stream_;
  bool owns_base_stream_;
  int64_t window_start_ = 0;
  int64_t window_end_ = -1;
};

}  // namespace xa

#endif  // XA_PACKAGE_SUB_STREAM_H_
