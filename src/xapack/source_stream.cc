#include "xapack/source_stream.h"

#include <algorithm>

namespace xa::xapack {

TSourceFileStream::TSourceFileStream(std::string path, int64_t size, ReadProgress progress)
    : path_(std::move(path)), size_(size), progress_(std::move(progress)) {}

int64_t TSourceFileStream::Read(void* buffer, int64_t count) {
  const int64_t wanted = std::min(count, size_ - position_);
  if (wanted <= 0)
    return 0;
  try {
    if (!file_) {
      file_ = std::make_unique<TFileStream>(path_, FileMode::kOpenRead);
      file_->Seek(position_, SeekOrigin::kBeginning);
    }
    if (file_->Read(buffer, wanted) != wanted)
      throw SourceError("\"" + path_ + "\" became shorter while the package was built");
  } catch (const SourceError&) {
    throw;
  } catch (const Exception& e) {
    throw SourceError("\"" + path_ + "\": " + e.what());
  }
  position_ += wanted;
  if (position_ == size_)
    file_.reset();
  if (progress_)
    progress_(wanted);
  return wanted;
}

int64_t TSourceFileStream::Write(const void*, int64_t) {
  throw SourceError("\"" + path_ + "\" is a source and cannot be written");
}

int64_t TSourceFileStream::Seek(int64_t offset, SeekOrigin origin) {
  position_ = SeekTarget(position_, size_, offset, origin);
  if (file_)
    file_->Seek(position_, SeekOrigin::kBeginning);
  return position_;
}

}  // namespace xa::xapack
