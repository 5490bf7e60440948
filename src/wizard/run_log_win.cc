#include "wizard/run_log_win.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "linklabel/ansi.h"
#include "linklabel/wide_text.h"

namespace xa {

std::string Utf16ToUtf8(std::u16string_view text) {
  if (text.empty())
    return {};
  const int length = static_cast<int>(text.size());
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

void TRunLog::Line(std::u16string_view line) {
  // One entry, one line: messages break theirs with a carriage return.
  std::u16string text(line);
  std::replace(text.begin(), text.end(), u'\r', u' ');
  std::replace(text.begin(), text.end(), u'\n', u' ');
  Write(Utf16ToUtf8(text) + "\r\n");
}

void TRunLog::AnsiLine(std::string_view line) {
  Line(AnsiToUtf16(line));
}

bool TRunLog::Attach(const std::u16string& path) {
  const std::lock_guard<TLock> hold(lock_);
  HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  file_.Reset(file);
  std::string pending;
  pending.swap(pending_);
  DWORD written = 0;
  WriteFile(file_.Get(), pending.data(), static_cast<DWORD>(pending.size()), &written, nullptr);
  return true;
}

void TRunLog::Write(const std::string& utf8) {
  const std::lock_guard<TLock> hold(lock_);
  if (!file_.IsValid()) {
    pending_ += utf8;
    return;
  }
  DWORD written = 0;
  WriteFile(file_.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace xa
