#ifndef XA_LINKLABEL_UNI_UTILS_H_
#define XA_LINKLABEL_UNI_UTILS_H_

#include <cstdint>
#include <string>
#include <string_view>

// UTF-16 string routines of the link label. Positions are 1-based, as the mark-up rules count
// them; out-of-range positions and counts are clipped rather than rejected.
namespace xa::uni {

// Upper-case of one UTF-16 code unit (Latin, Greek, Cyrillic and full-width Latin letters);
// other code units are returned unchanged.
char16_t UpperChar(char16_t c);

// `s` with every code unit upper-cased by UpperChar.
std::u16string UpperCase(std::u16string_view s);

// Up to `count` code units of `s` starting at 1-based `index`; empty when out of range.
std::u16string Copy(std::u16string_view s, int64_t index, int64_t count);

// Inserts `sub` into `s` before 1-based `index`; indexes beyond the end append.
void Insert(std::u16string_view sub, std::u16string& s, int64_t index);

// Deletes up to `count` code units from `s` at 1-based `index`; nothing when out of range.
void Delete(std::u16string& s, int64_t index, int64_t count);

// 1-based position of the first occurrence of `sub` in `s`, 0 when absent or `sub` is empty.
int64_t Pos(std::u16string_view sub, std::u16string_view s);

// `s` without its trailing code units of value 32 or below (space and control characters).
std::u16string TrimTrailing(std::u16string_view s);

enum ReplaceFlags : unsigned { kReplaceAll = 1, kIgnoreCase = 2 };

// `s` with the first (or, with kReplaceAll, every) occurrence of `old_pattern` replaced by
// `new_pattern`, scanning left to right without revisiting replaced text. kIgnoreCase compares
// through UpperChar. An empty `old_pattern` replaces nothing.
std::u16string Replace(std::u16string_view s,
                       std::u16string_view old_pattern,
                       std::u16string_view new_pattern,
                       unsigned flags);

}  // namespace xa::uni

#endif  // XA_LINKLABEL_UNI_UTILS_H_
