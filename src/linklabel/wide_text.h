#ifndef XA_LINKLABEL_WIDE_TEXT_H_
#define XA_LINKLABEL_WIDE_TEXT_H_

#include <string_view>

namespace xa {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

// `text` as the wide characters the Windows API takes, without a copy; valid while `text` is.
// Zero-terminated when `text` is a whole std::u16string.
inline const wchar_t* Wide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

}  // namespace xa

#endif  // XA_LINKLABEL_WIDE_TEXT_H_
