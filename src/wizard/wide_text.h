#ifndef XA_WIZARD_WIDE_TEXT_H_
#define XA_WIZARD_WIDE_TEXT_H_

#include <string>

namespace xa {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

// `text` as the zero-terminated wide string the Windows API takes, without a copy; valid while
// `text` is.
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace xa

#endif  // XA_WIZARD_WIDE_TEXT_H_
