#ifndef XA_PACKAGE_FILE_STREAM_H_
#define XA_PACKAGE_FILE_STREAM_H_

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "package/stream.h"

namespace xa {

enum class FileMode {
  kOpenRead,       // existing file, read only, no other access allowed while open
  kOpenReadWrite,  // existing file, read and write, no other access allowed while open
  kCreate,         // new or truncated file, read and write, no other access allowed while open
};

// A stream on a file of the operating system. The path is 8-bit text (the ANSI code page on
// Windows). Construction raises EStreamError "Cannot open file "%s". %s" (or "Cannot create
// file ...") with the system's reason text. The file is closed on destruction.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& path, FileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  // Creates `path` as a new file, read and write, no other access allowed while open; nullptr
  // when a file or folder of that name exists. Raises EStreamError "Cannot create file ..." for
  // any other failure. One lookup of the name, where asking first and creating after take two.
  static std::unique_ptr<TFileStream> CreateNew(const std::string& path);

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  // Asks the system for the length instead of seeking to the end and back.
  int64_t Size() override;

  const std::string& Path() const { return path_; }

  // The system handle (a HANDLE on Windows, a descriptor elsewhere), owned by the stream.
  intptr_t NativeHandle() const { return handle_; }

 private:
  TFileStream(std::string path, intptr_t handle) : path_(std::move(path)), handle_(handle) {}

  std::string path_;
  intptr_t handle_;
};

}  // namespace xa

#endif  // XA_PACKAGE_FILE_STREAM_H_
