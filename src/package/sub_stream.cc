#include "package/sub_stream.h"

#include "package/errors.h"

namespace xa {

TSubStream::TSubStream(TStream* base_stream, int64_t start, int64_t end, bool owns_base_stream)
    : base_stream_(base_stream), owns_base_stream_(owns_base_stream) {
  SetBounds(start, end);
}

TSubStream::~TSubStream() {
  if (owns_base_stream_)
    delete base_stream_;
}

void TSubStream::SetBounds(int64_t start, int64_t end) {
  window_start_ = start;
  window_end_ = end;
  const int64_t position = base_stream_->Position();
  if (position < window_start_)
    base_stream_->Seek(window_start_, SeekOrigin::kBeginning);
  else if (position > window_end_)
    base_stream_->Seek(window_end_, SeekOrigin::kBeginning);
}

int64_t TSubStream::CutCount(int64_t count) {
  // Offset of WindowEnd from the base position; "count > last" cannot overflow where
  // "position + count - 1 > WindowEnd" could.
  const int64_t last = window_end_ - base_stream_->Position();
  return count > last ? last + 1 : count;
}

int64_t TSubStream::Read(void* buffer, int64_t count) {
  const int64_t cut = CutCount(count);
  return cut > 0 ? base_stream_->Read(buffer, cut) : 0;
}

int64_t TSubStream::Write(const void* buffer, int64_t count) {
  const int64_t cut = CutCount(count);
  return cut > 0 ? base_stream_->Write(buffer, cut) : 0;
}

int64_t TSubStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base_position = 0;
  if (origin == SeekOrigin::kCurrent) {
    base_position = base_stream_->Seek(offset, SeekOrigin::kCurrent);
  } else {
    const int64_t from = origin == SeekOrigin::kBeginning ? window_start_ : window_start_ + Size();
    int64_t target = 0;
    if (__builtin_add_overflow(from, offset, &target))
      Raise<EStreamError>(kSeekOutOfRange);
    base_position = base_stream_->Seek(target, SeekOrigin::kBeginning);
  }
  const int64_t position = base_position - window_start_;
  if (position < 0)
    Raise<EStreamError>(kSeekOutOfRange);
  return position;
}

int64_t TSubStream::Size() {
  const int64_t size = window_end_ - window_start_ + 1;
  return size > 0 ? size : 0;
}

}  // namespace xa
