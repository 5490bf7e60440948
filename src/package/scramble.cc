#include "package/scramble.h"

#include <array>
#include <cstdint>

namespace xa {
namespace {

constexpr uint8_t kPad = 64;

static_assert(ScrambleAlphabet.size() == 65);

constexpr std::array<uint8_t, 256> MakeDigitTable() {
  std::array<uint8_t, 256> table{};
  for (size_t i = 0; i < ScrambleAlphabet.size(); ++i)
    table[static_cast<uint8_t>(ScrambleAlphabet[i])] = static_cast<uint8_t>(i);
  return table;
}

constexpr std::array<uint8_t, 256> kDigitOf = MakeDigitTable();

}  // namespace

std::string ScrambleText(std::string_view text) {
  std::string out;
  out.reserve((text.size() + 2) / 3 * 4);
  for (size_t i = 0; i < text.size(); i += 3) {
    const size_t left = text.size() - i;
    const auto x = static_cast<uint8_t>(text[i]);
    const auto y = left > 1 ? static_cast<uint8_t>(text[i + 1]) : uint8_t{0};
    const auto z = left > 2 ? static_cast<uint8_t>(text[i + 2]) : uint8_t{0};
    const uint8_t digits[4] = {
        static_cast<uint8_t>(x >> 2),
        static_cast<uint8_t>((x & 3) << 4 | y >> 4),
        left > 1 ? static_cast<uint8_t>((y & 15) << 2 | z >> 6) : kPad,
        left > 2 ? static_cast<uint8_t>(z & 63) : kPad,
    };
    for (uint8_t d : digits)
      out.push_back(ScrambleAlphabet[d]);
  }
  return out;
}

std::string UnscrambleText(std::string_view scrambled) {
  std::string out;
  out.reserve(scrambled.size() / 4 * 3 + 2);
  const size_t m = scrambled.size();
  // Positions are 0-based here; the loop runs while at least two characters remain, so a lone
  // trailing character is ignored.
  for (size_t i = 0; i + 1 < m; i += 4) {
    uint8_t q[4];
    for (size_t k = 0; k < 4; ++k)
      q[k] = i + k < m ? kDigitOf[static_cast<uint8_t>(scrambled[i + k])] : kPad;
    out.push_back(static_cast<char>((q[0] & 63) << 2 | (q[1] & 48) >> 4));
    if (q[2] == kPad)
      continue;
    out.push_back(static_cast<char>((q[1] & 15) << 4 | (q[2] & 60) >> 2));
    if (q[3] == kPad)
      continue;
    out.push_back(static_cast<char>((q[2] & 3) << 6 | (q[3] & 63)));
  }
  return out;
}

}  // namespace xa
