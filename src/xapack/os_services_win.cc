#include <windows.h>

#include <io.h>

#include <cstdio>

#include "package/errors.h"
#include "xapack/os_services.h"

// RtlGenRandom: the system's cryptographic random source, present since Windows XP, which
// BCryptGenRandom is not.
extern "C" BOOLEAN NTAPI SystemFunction036(PVOID buffer, ULONG length);

namespace xa::xapack {
namespace {

uint64_t FromFileTime(const FILETIME& time) {
  return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

FILETIME ToFileTime(uint64_t time) {
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(time & 0xFFFFFFFF);
  result.dwHighDateTime = static_cast<DWORD>(time >> 32);
  return result;
}

std::string LastErrorText() {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, GetLastError(), 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result(text ? text : "", length);
  LocalFree(text);
  while (!result.empty() && static_cast<unsigned char>(result.back()) <= ' ')
    result.pop_back();
  return result;
}

// Converts between a code page and UTF-16; nullopt when a character does not convert.
std::optional<std::wstring> ToWide(UINT code_page, std::string_view text) {
  if (text.empty())
    return std::wstring();
  const DWORD flags = code_page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
  if (length <= 0)
    return std::nullopt;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page, flags, text.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> FromWide(UINT code_page, const std::wstring& wide) {
  if (wide.empty())
    return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL used_default = FALSE;
  BOOL* check = code_page == CP_UTF8 ? nullptr : &used_default;
  const DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int length =
      WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, check);
  if (length <= 0 || used_default)
    return std::nullopt;
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

void SystemRandomBytes(uint8_t* buffer, size_t count) {
  if (!SystemFunction036(buffer, static_cast<ULONG>(count)))
    throw Exception("The system's random source failed: " + LastErrorText());
}

FileTimes ReadFileTimes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    throw Exception("Cannot read the times of \"" + path + "\". " + LastErrorText());
  FileTimes times;
  times.last_write = FromFileTime(data.ftLastWriteTime);
  times.creation = FromFileTime(data.ftCreationTime);
  if (times.creation == 0)
    times.creation = times.last_write;
  return times;
}

void SetFileTimes(TFileStream& file, const FileTimes& times) {
  const FILETIME creation = ToFileTime(times.creation);
  const FILETIME last_write = ToFileTime(times.last_write);
  SetFileTime(reinterpret_cast<HANDLE>(file.NativeHandle()), &creation, &last_write, &last_write);
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
  const auto wide = ToWide(CP_UTF8, utf8);
  return wide ? FromWide(CP_ACP, *wide) : std::nullopt;
}

std::string AnsiToUtf8(std::string_view ansi) {
  const auto wide = ToWide(CP_ACP, ansi);
  const auto utf8 = wide ? FromWide(CP_UTF8, *wide) : std::nullopt;
  return utf8.value_or(std::string());
}

std::string AnsiCodePageName() {
  return "the ANSI code page " + std::to_string(GetACP());
}

std::optional<std::string> PathFromUtf8(std::string_view utf8) {
  return Utf8ToAnsi(utf8);
}

std::optional<std::string> PathToUtf8(std::string_view path) {
  return AnsiToUtf8(path);
}

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

void ReplaceFileWith(const std::string& from, const std::string& to) {
  if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    throw Exception("Cannot rename \"" + from + "\" to \"" + to + "\". " + LastErrorText());
  }
}

void RemoveFileQuietly(const std::string& path) {
  DeleteFileA(path.c_str());
}

bool StandardErrorIsTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}

}  // namespace xa::xapack
