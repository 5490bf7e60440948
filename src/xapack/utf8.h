#ifndef XA_XAPACK_UTF8_H_
#define XA_XAPACK_UTF8_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace xa::xapack {

// The code points of a UTF-8 text; nullopt for malformed input (bad or overlong sequences,
// surrogates, values above U+10FFFF), which must never reach a record.
std::optional<std::u32string> DecodeUtf8(std::string_view text);

// Appends the UTF-8 form of `code_point` (which must be a valid scalar value).
void AppendUtf8(std::string& text, char32_t code_point);

// The UTF-8 form of a file system path: converted from UTF-16 on Windows, its bytes elsewhere
// (which need not be UTF-8 there).
std::string Utf8FromFsPath(const std::filesystem::path& path);

// The file system path of a UTF-8 text (its bytes as they are on POSIX systems).
std::filesystem::path FsPathFromUtf8(std::string_view utf8);

}  // namespace xa::xapack

#endif  // XA_XAPACK_UTF8_H_
