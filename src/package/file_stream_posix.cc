#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "package/errors.h"
#include "package/file_stream.h"

namespace xa {
namespace {

constexpr int64_t kMaxPass = 1 << 30;

}  // namespace

TFileStream::TFileStream(const std::string& path, FileMode mode) : path_(path) {
  const int flags = mode == FileMode::kOpenRead        ? O_RDONLY
                    : mode == FileMode::kOpenReadWrite ? O_RDWR
                                                       : O_RDWR | O_CREAT | O_TRUNC;
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) {
    const std::string reason = strerror(errno);
    Raise<EStreamError>(mode == FileMode::kCreate ? CannotCreateFileMessage(path, reason)
                                                  : CannotOpenFileMessage(path, reason));
  }
  handle_ = fd;
}

std::unique_ptr<TFileStream> TFileStream::CreateNew(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno == EEXIST)
      return nullptr;
    Raise<EStreamError>(CannotCreateFileMessage(path, strerror(errno)));
  }
  return std::unique_ptr<TFileStream>(new TFileStream(path, fd));
}

TFileStream::~TFileStream() {
  ::close(static_cast<int>(handle_));
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(static_cast<int>(handle_), static_cast<char*>(buffer) + done,
                             static_cast<size_t>(std::min(count - done, kMaxPass)));
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      Raise<EStreamError>(kStreamReadError);
    if (n == 0)
      break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(static_cast<int>(handle_), static_cast<const char*>(buffer) + done,
                              static_cast<size_t>(std::min(count - done, kMaxPass)));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Size() {
  struct stat status;
  if (::fstat(static_cast<int>(handle_), &status) != 0)
    Raise<EStreamError>(kStreamReadError);
  return status.st_size;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::kBeginning ? SEEK_SET
                     : origin == SeekOrigin::kCurrent ? SEEK_CUR
                                                      : SEEK_END;
  const off_t position = ::lseek(static_cast<int>(handle_), offset, whence);
  if (position < 0)
    Raise<EStreamError>(kSeekOutOfRange);
  return position;
}

}  // namespace xa
