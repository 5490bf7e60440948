#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "package/errors.h"
#include "xapack/file_time.h"
#include "xapack/os_services.h"
#include "xapack/utf8.h"

namespace xa::xapack {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five bytes Windows leaves undefined map to themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> Cp1252Byte(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
    return static_cast<char>(code_point);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == code_point)
      return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

uint64_t FromTimespec(const struct statx_timestamp& time) {
  return FileTimeFromUnix(time.tv_sec, time.tv_nsec);
}

}  // namespace

void SystemRandomBytes(uint8_t* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = getrandom(buffer + done, count - done, 0);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      throw Exception(std::string("The system's random source failed: ") + strerror(errno));
    done += static_cast<size_t>(n);
  }
}

FileTimes ReadFileTimes(const std::string& path) {
  struct statx info {};
  if (statx(AT_FDCWD, path.c_str(), 0, STATX_MTIME | STATX_BTIME, &info) != 0)
    throw Exception("Cannot read the times of \"" + path + "\". " + strerror(errno));
  FileTimes times;
  times.last_write = FromTimespec(info.stx_mtime);
  times.creation = (info.stx_mask & STATX_BTIME) ? FromTimespec(info.stx_btime) : times.last_write;
  return times;
}

void SetFileTimes(TFileStream& file, const FileTimes& times) {
  const UnixTime last_write = UnixFromFileTime(times.last_write);
  struct timespec both[2];
  both[0].tv_sec = static_cast<time_t>(last_write.seconds);
  both[0].tv_nsec = static_cast<long>(last_write.nanoseconds);
  both[1] = both[0];
  // Linux offers no way to set a creation time; the last-write time is what tools compare.
  futimens(static_cast<int>(file.NativeHandle()), both);
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
  const auto code_points = DecodeUtf8(utf8);
  if (!code_points)
    return std::nullopt;
  std::string ansi;
  ansi.reserve(code_points->size());
  for (const char32_t code_point : *code_points) {
    const auto byte = Cp1252Byte(code_point);
    if (!byte)
      return std::nullopt;
    ansi.push_back(*byte);
  }
  return ansi;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string utf8;
  utf8.reserve(ansi.size());
  for (const char c : ansi) {
    const auto byte = static_cast<uint8_t>(c);
    AppendUtf8(utf8, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte);
  }
  return utf8;
}

std::string AnsiCodePageName() {
  return "Windows-1252";
}

std::optional<std::string> PathFromUtf8(std::string_view utf8) {
  if (!DecodeUtf8(utf8))
    return std::nullopt;
  return std::string(utf8);
}

std::optional<std::string> PathToUtf8(std::string_view path) {
  return PathFromUtf8(path);
}

bool IsRegularFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void ReplaceFileWith(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    throw Exception("Cannot rename \"" + from + "\" to \"" + to + "\". " + strerror(errno));
  }
}

void RemoveFileQuietly(const std::string& path) {
  ::unlink(path.c_str());
}

bool StandardErrorIsTerminal() {
  return isatty(STDERR_FILENO) != 0;
}

}  // namespace xa::xapack
