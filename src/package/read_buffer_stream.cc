#include "package/read_buffer_stream.h"

#include <algorithm>
#include <cstring>

namespace xa {
namespace {

// Larger than any record's fields and texts together, as a rule.
constexpr int64_t kBlockSize = 64 * 1024;

}  // namespace

TReadBufferStream::TReadBufferStream(TStream& base)
    : base_(base), size_(base.Size()), position_(base.Position()) {}

bool TReadBufferStream::Fill() {
  block_.resize(static_cast<size_t>(kBlockSize));
  base_.Seek(position_, SeekOrigin::kBeginning);
  const int64_t done = ReadUpTo(base_, block_.data(), kBlockSize);
  block_.resize(static_cast<size_t>(done));
  block_start_ = position_;
  return done > 0;
}

int64_t TReadBufferStream::Read(void* buffer, int64_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const bool in_block =
        position_ >= block_start_ && position_ < block_start_ + std::ssize(block_);
    if (!in_block && !Fill())
      break;
    const int64_t at = position_ - block_start_;
    const int64_t pass = std::min(count - done, std::ssize(block_) - at);
    std::memcpy(out + done, block_.data() + at, static_cast<size_t>(pass));
    done += pass;
    position_ += pass;
  }
  return done;
}

int64_t TReadBufferStream::Write(const void*, int64_t) {
  return 0;
}

int64_t TReadBufferStream::Seek(int64_t offset, SeekOrigin origin) {
  position_ = SeekTarget(position_, size_, offset, origin);
  return position_;
}

}  // namespace xa
