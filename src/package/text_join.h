#ifndef XA_PACKAGE_TEXT_JOIN_H_
#define XA_PACKAGE_TEXT_JOIN_H_

#include <initializer_list>
#include <string>
#include <string_view>

namespace xa {

// `parts` one after another, in one string. One call where a chain of operator+ would build and
// destroy a temporary string per part, which costs code at every place such a chain is written.
std::string JoinText(std::initializer_list<std::string_view> parts);

// Appends the last `digits` decimal digits of `value` (its magnitude), zero-padded. Written out
// by hand: the program carries no printf for a time stamp.
void AppendDigits(std::string& text, int value, int digits);

}  // namespace xa

#endif  // XA_PACKAGE_TEXT_JOIN_H_
