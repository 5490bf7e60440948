#include "linklabel/ansi.h"

#include <windows.h>

#include <climits>

namespace xa {

std::u16string AnsiToUtf16(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX)
    return {};
  const int in_size = static_cast<int>(text.size());
  const int out_size = MultiByteToWideChar(CP_ACP, 0, text.data(), in_size, nullptr, 0);
  if (out_size <= 0)
    return {};
  std::wstring wide(static_cast<size_t>(out_size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), in_size, wide.data(), out_size);
  return std::u16string(wide.begin(), wide.end());
}

std::string Utf16ToAnsi(std::u16string_view text) {
  if (text.empty() || text.size() > INT_MAX)
    return {};
  const std::wstring wide(text.begin(), text.end());
  const int in_size = static_cast<int>(wide.size());
  const int out_size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), in_size, nullptr, 0, nullptr, nullptr);
  if (out_size <= 0)
    return {};
  std::string ansi(static_cast<size_t>(out_size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), in_size, ansi.data(), out_size, nullptr, nullptr);
  return ansi;
}

}  // namespace xa
