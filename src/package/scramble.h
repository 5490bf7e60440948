#ifndef XA_PACKAGE_SCRAMBLE_H_
#define XA_PACKAGE_SCRAMBLE_H_

#include <string>
#include <string_view>

namespace xa {

// The 64 digit characters (indexes 0 to 63) and the pad character (index 64) of scrambled
// texts. Installer, uninstaller and package builder must share it.
inline constexpr std::string_view ScrambleAlphabet =
    "Kq7ZtB2xVw9mLc4RnJ0aHs8eYf3PgD1uQk6TbE5iWoM-jXpNrGvCyU_hAzSdFlIO~";

// Texts are stored with the bit grouping and padding of Base64 but our own digit table.
// ScrambleText(x) has ((size + 2) / 3) * 4 characters of ScrambleAlphabet.
std::string ScrambleText(std::string_view text);

// The inverse of ScrambleText. Never fails: a character outside the table counts as digit 0,
// a missing character of the last group as the pad character.
std::string UnscrambleText(std::string_view scrambled);

}  // namespace xa

#endif  // XA_PACKAGE_SCRAMBLE_H_
