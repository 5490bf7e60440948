#ifndef XA_XAPACK_SOURCE_STREAM_H_
#define XA_XAPACK_SOURCE_STREAM_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "package/errors.h"
#include "package/file_stream.h"
#include "package/stream.h"

namespace xa::xapack {

// A source file that changed or failed while a package was built; the message names it.
class SourceError : public Exception {
 public:
  using Exception::Exception;
};

// Called with the number of bytes just read from a source.
using ReadProgress = std::function<void(int64_t bytes)>;

// A read-only stream on a package source file of a known size. The file is opened at the first
// read and closed when its last byte has been read, so that a package of thousands of files
// holds one file open at a time. Size() is the size the manifest saw; a file that has become
// shorter raises SourceError.
class TSourceFileStream : public TStream {
 public:
  TSourceFileStream(std::string path, int64_t size, ReadProgress progress);

  int64_t Read(void* buffer, int64_t count) override;
  // Raises SourceError: sources are never written.
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return size_; }

 private:
  std::string path_;
  int64_t size_;
  int64_t position_ = 0;
  ReadProgress progress_;
  std::unique_ptr<TFileStream> file_;
};

}  // namespace xa::xapack

#endif  // XA_XAPACK_SOURCE_STREAM_H_
