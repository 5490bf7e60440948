#include <windows.h>

#include <algorithm>

#include "package/errors.h"
#include "package/file_stream.h"

namespace xa {
namespace {

constexpr int64_t kMaxPass = 1 << 30;

HANDLE AsHandle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

std::string SystemErrorText(uint32_t code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result(text ? text : "", length);
  LocalFree(text);
  while (!result.empty() &&
         (static_cast<unsigned char>(result.back()) <= ' ' || result.back() == '.'))
    result.pop_back();
  return result;
}

TFileStream::TFileStream(const std::string& path, FileMode mode) : path_(path) {
  const DWORD access = mode == FileMode::kOpenRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  const DWORD disposition = mode == FileMode::kCreate ? CREATE_ALWAYS : OPEN_EXISTING;
  // Files opened only for reading are read front to back in large passes (the installer's own
  // file above all), so the system may read ahead and drop what was read.
  const DWORD flags = mode == FileMode::kOpenRead
                          ? FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN
                          : FILE_ATTRIBUTE_NORMAL;
  const HANDLE handle = CreateFileA(path.c_str(), access, 0, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const std::string reason = SystemErrorText(GetLastError());
    Raise<EStreamError>(mode == FileMode::kCreate ? CannotCreateFileMessage(path, reason)
                                                  : CannotOpenFileMessage(path, reason));
  }
  handle_ = reinterpret_cast<intptr_t>(handle);
}

std::unique_ptr<TFileStream> TFileStream::CreateNew(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
      return nullptr;
    Raise<EStreamError>(CannotCreateFileMessage(path, SystemErrorText(error)));
  }
  return std::unique_ptr<TFileStream>(new TFileStream(path, reinterpret_cast<intptr_t>(handle)));
}

TFileStream::~TFileStream() {
  CloseHandle(AsHandle(handle_));
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    DWORD n = 0;
    const DWORD pass = static_cast<DWORD>(std::min(count - done, kMaxPass));
    if (!ReadFile(AsHandle(handle_), static_cast<char*>(buffer) + done, pass, &n, nullptr))
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
    DWORD n = 0;
    const DWORD pass = static_cast<DWORD>(std::min(count - done, kMaxPass));
    if (!WriteFile(AsHandle(handle_), static_cast<const char*>(buffer) + done, pass, &n, nullptr) ||
        n == 0)
      break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Size() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(AsHandle(handle_), &size))
    Raise<EStreamError>(kStreamReadError);
  return size.QuadPart;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const DWORD method = origin == SeekOrigin::kBeginning ? FILE_BEGIN
                       : origin == SeekOrigin::kCurrent ? FILE_CURRENT
                                                        : FILE_END;
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER position;
  if (!SetFilePointerEx(AsHandle(handle_), distance, &position, method))
    Raise<EStreamError>(kSeekOutOfRange);
  return position.QuadPart;
}

}  // namespace xa
