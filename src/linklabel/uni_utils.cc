#include "linklabel/uni_utils.h"

#include <algorithm>

namespace xa::uni {
namespace {

// Letters whose upper case sits at a fixed distance below.
struct OffsetRange {
  char16_t first;
  char16_t last;
  char16_t delta;
};

constexpr OffsetRange kOffsetRanges[] = {
    {u'a', u'z', 32},     {0x00E0, 0x00F6, 32}, {0x00F8, 0x00FE, 32}, {0x03B1, 0x03C1, 32},
    {0x03C3, 0x03CB, 32}, {0x03AD, 0x03AF, 37}, {0x03CD, 0x03CE, 63}, {0x0430, 0x044F, 32},
    {0x0450, 0x045F, 80}, {0xFF41, 0xFF5A, 32},
};

// Blocks where upper and lower case alternate; `lower_odd` tells which of each pair is lower.
struct PairRange {
  char16_t first;
  char16_t last;
  bool lower_odd;
};

constexpr PairRange kPairRanges[] = {
    {0x0100, 0x012F, true}, {0x0132, 0x0137, true},  {0x0139, 0x0148, false},
    {0x014A, 0x0177, true}, {0x0179, 0x017E, false}, {0x0460, 0x0481, true},
    {0x048A, 0x04BF, true}, {0x04D0, 0x04FF, true},
};

struct SingleCase {
  char16_t lower;
  char16_t upper;
};

constexpr SingleCase kSingles[] = {
    {0x00B5, 0x039C}, {0x00FF, 0x0178}, {0x0131, u'I'},   {0x017F, u'S'},
    {0x03AC, 0x0386}, {0x03C2, 0x03A3}, {0x03CC, 0x038C},
};

}  // namespace

char16_t UpperChar(char16_t c) {
  for (const OffsetRange& r : kOffsetRanges) {
    if (c >= r.first && c <= r.last)
      return static_cast<char16_t>(c - r.delta);
  }
  for (const PairRange& r : kPairRanges) {
    if (c >= r.first && c <= r.last && ((c & 1) != 0) == r.lower_odd)
      return static_cast<char16_t>(c - 1);
  }
  for (const SingleCase& s : kSingles) {
    if (c == s.lower)
      return s.upper;
  }
  return c;
}

std::u16string UpperCase(std::u16string_view s) {
  std::u16string result(s);
  for (char16_t& c : result)
    c = UpperChar(c);
  return result;
}

std::u16string Copy(std::u16string_view s, int64_t index, int64_t count) {
  const int64_t size = static_cast<int64_t>(s.size());
  if (index < 1)
    index = 1;
  if (index > size || count <= 0)
    return {};
  count = std::min(count, size - index + 1);
  return std::u16string(s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count)));
}

void Insert(std::u16string_view sub, std::u16string& s, int64_t index) {
  const int64_t size = static_cast<int64_t>(s.size());
  index = std::clamp<int64_t>(index, 1, size + 1);
  s.insert(static_cast<size_t>(index - 1), sub);
}

void Delete(std::u16string& s, int64_t index, int64_t count) {
  const int64_t size = static_cast<int64_t>(s.size());
  if (index < 1 || index > size || count <= 0)
    return;
  count = std::min(count, size - index + 1);
  s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

int64_t Pos(std::u16string_view sub, std::u16string_view s) {
  if (sub.empty())
    return 0;
  const size_t at = s.find(sub);
  return at == std::u16string_view::npos ? 0 : static_cast<int64_t>(at) + 1;
}

std::u16string TrimTrailing(std::u16string_view s) {
  size_t end = s.size();
  while (end > 0 && s[end - 1] <= 32)
    --end;
  return std::u16string(s.substr(0, end));
}

std::u16string Replace(std::u16string_view s,
                       std::u16string_view old_pattern,
                       std::u16string_view new_pattern,
                       unsigned flags) {
  if (old_pattern.empty())
    return std::u16string(s);
  const bool ignore_case = (flags & kIgnoreCase) != 0;
  const std::u16string haystack = ignore_case ? UpperCase(s) : std::u16string(s);
  const std::u16string needle = ignore_case ? UpperCase(old_pattern) : std::u16string(old_pattern);
  std::u16string result;
  size_t from = 0;
  while (from <= haystack.size()) {
    const size_t at = haystack.find(needle, from);
    if (at == std::u16string::npos)
      break;
    result.append(s.substr(from, at - from));
    result.append(new_pattern);
    from = at + needle.size();
    if ((flags & kReplaceAll) == 0)
      break;
  }
  result.append(s.substr(std::min(from, s.size())));
  return result;
}

}  // namespace xa::uni
