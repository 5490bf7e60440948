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
