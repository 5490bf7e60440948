#include "package/stream.h"

#include <algorithm>

#include "package/errors.h"

namespace xa {

int64_t TStream::Size() {
  const int64_t position = Position();
  const int64_t size = Seek(0, SeekOrigin::kEnd);
  Seek(position, SeekOrigin::kBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count > 0 && Read(buffer, count) != count)
    Raise<EStreamError>(kStreamReadError);
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count > 0 && Write(buffer, count) != count)
    Raise<EStreamError>(kStreamWriteError);
}

int64_t ReadUpTo(TStream& stream, void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    const int64_t n = stream.Read(static_cast<char*>(buffer) + done, count - done);
    if (n <= 0)
      break;
    done += n;
  }
  return done;
}

int64_t SeekTarget(int64_t position, int64_t size, int64_t offset, SeekOrigin origin) {
  const int64_t base = origin == SeekOrigin::kBeginning ? 0
                       : origin == SeekOrigin::kCurrent ? position
                                                        : size;
  if (base + offset < 0)
    Raise<EStreamError>(kSeekOutOfRange);
  return base + offset;
}

void TStream::CopyFrom(TStream& source, int64_t count) {
  constexpr int64_t kPass = 4096;
  char buffer[kPass];
  while (count > 0) {
    const int64_t pass = std::min(count, kPass);
    source.ReadBuffer(buffer, pass);
    WriteBuffer(buffer, pass);
    count -= pass;
  }
}

}  // namespace xa
