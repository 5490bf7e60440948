#ifndef XA_PACKAGE_MEMORY_STREAM_H_
#define XA_PACKAGE_MEMORY_STREAM_H_

#include <cstdint>
#include <vector>

#include "package/stream.h"

namespace xa {

// A stream over a growable byte buffer that it owns. Seeking past the end is allowed; a write
// there fills the gap with zero bytes.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
};

}  // namespace xa

#endif  // XA_PACKAGE_MEMORY_STREAM_H_
