#include "package/read_buffer_stream.h"

#include <algorithm>
#include <cstring>

#include "package/errors.h"

namespace xa {
namespace {

// Larger than any record's fields and texts together, as a rule.
constexpr int64_t kBlockSize = 64 * 1024;

}  // namespace

TReadBufferStream::TReadBufferStream(TStream& base) : base_(base), position_(base.Position()) {}

bool TReadBufferStream::Fill() {
  block_.resize(static_cast<size_t>(kBlockSize));
  base_.Seek(position_, SeekOrigin::kBeginning);
  int64_t done = 0;
  for (int64_t n;
       done < kBlockSize && (n = base_.Read(block_.data() + done, kBlockSize - done)) > 0;)
    done += n;
  block_.resize(static_cast<size_t>(done));
  block_start_ = position_;
  return done > 0;
}

int64_t TReadBufferStream::Read(void* buffer, int64_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const int64_t offset = position_ - block_start_;
    if ((offset < 0 || offset >= std::ssize(block_)) && !Fill())
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
  const int64_t base = origin == SeekOrigin::kBeginning ? 0
                       : origin == SeekOrigin::kCurrent ? position_
                                                        : Size();
  if (base + offset < 0)
    Raise<EStreamError>(kSeekOutOfRange);
  position_ = base + offset;
  return position_;
}

}  // namespace xa
