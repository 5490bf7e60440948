#ifndef XA_XAPACK_OS_SERVICES_H_
#define XA_XAPACK_OS_SERVICES_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "package/file_stream.h"

// What the package builder needs of the operating system, with one implementation for Windows
// and one for POSIX systems. Paths are 8-bit text: the ANSI code page on Windows, UTF-8 elsewhere.
namespace xa::xapack {

// Creation and last-write time of a file, as Windows file times (100 ns since 1601-01-01 UTC).
struct FileTimes {
  uint64_t creation = 0;
  uint64_t last_write = 0;
};

// Fills `buffer` from the system's cryptographic random source. Raises xa::Exception when the
// source fails.
void SystemRandomBytes(uint8_t* buffer, size_t count);

// The times of the file at `path`. Where the file system keeps no creation time, the last-write
// time stands for it. Raises xa::Exception naming the path when the file cannot be examined.
FileTimes ReadFileTimes(const std::string& path);

// Gives the open `file` its creation time (where the system allows setting it) and `last_write`
// as its last-write and last-access time. Failures are silent, as in the installer.
void SetFileTimes(TFileStream& file, const FileTimes& times);

// The record text for a UTF-8 text: the ANSI code page on Windows, Windows-1252 elsewhere.
// nullopt when the text is not UTF-8 or holds a character the code page lacks.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

// The UTF-8 form of a record's ANSI text; never fails.
std::string AnsiToUtf8(std::string_view ansi);

// How messages name the code page of record texts.
std::string AnsiCodePageName();

// The platform path for a UTF-8 path taken from a manifest; nullopt when it has no such form.
std::optional<std::string> PathFromUtf8(std::string_view utf8);

// The UTF-8 form of a platform path, as a manifest writes it; nullopt when it has none (a
// POSIX path whose bytes are not UTF-8).
std::optional<std::string> PathToUtf8(std::string_view path);

// True when `path`, a platform path (ANSI on Windows, as PathFromUtf8 gives), names a regular
// file. Never raises. std::filesystem would read a Windows path's bytes in another code page.
bool IsRegularFile(const std::string& path);

// Moves `from` to `to`, replacing `to`. Raises xa::Exception naming both on failure.
void ReplaceFileWith(const std::string& from, const std::string& to);

// Removes a file if it is there; failures are ignored (used when cleaning up after an error).
void RemoveFileQuietly(const std::string& path);

// True when the file descriptor or handle of the standard error stream is a terminal.
bool StandardErrorIsTerminal();

}  // namespace xa::xapack

#endif  // XA_XAPACK_OS_SERVICES_H_
