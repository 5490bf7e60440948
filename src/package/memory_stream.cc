#include "package/memory_stream.h"

#include <algorithm>
#include <cstring>

namespace xa {

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  const int64_t available = Size() - position_;
  const int64_t n = std::min(count, available);
  if (n <= 0)
    return 0;
  std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0)
    return 0;
  const int64_t end = position_ + count;
  if (end > Size())
    bytes_.resize(static_cast<size_t>(end));
  std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  position_ = SeekTarget(position_, Size(), offset, origin);
  return position_;
}

}  // namespace xa
