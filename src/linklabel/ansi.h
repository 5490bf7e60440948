#ifndef XA_LINKLABEL_ANSI_H_
#define XA_LINKLABEL_ANSI_H_

#include <string>
#include <string_view>

namespace xa {

// `text` in the system's 8-bit code page converted to UTF-16. Off Windows the code page is
// taken to be ISO 8859-1.
std::u16string AnsiToUtf16(std::string_view text);

// `text` converted to the system's 8-bit code page; characters it cannot hold become its
// default character. Off Windows the code page is taken to be ISO 8859-1 and "?" the default.
// For texts that must not change, such as paths, use TryUtf16ToAnsi.
std::string Utf16ToAnsi(std::u16string_view text);

// `text` converted to the system's 8-bit code page into `ansi` when the code page holds every
// character of it exactly (no default character, no look-alike); false, with `ansi` unchanged,
// when it does not.
bool TryUtf16ToAnsi(std::u16string_view text, std::string& ansi);

}  // namespace xa

#endif  // XA_LINKLABEL_ANSI_H_
