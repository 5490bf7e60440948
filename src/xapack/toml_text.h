#ifndef XA_XAPACK_TOML_TEXT_H_
#define XA_XAPACK_TOML_TEXT_H_

#include <optional>
#include <string>
#include <string_view>

namespace xa::xapack {

// Checks a manifest's text before the TOML parser sees it; returns "line L, column C: problem"
// for the first fault, nullopt when the parser may have it. Refused: control characters but
// tab and line ends (TOML allows none), and non-ASCII characters anywhere but in string values
// and comments: in keys and table headers (a manifest's keys are all ASCII), right after a
// backslash in a string, or first after a line-ending backslash. The parser (toml++ 3.3) asks
// whether such a character is white space and reaches undefined behaviour for many of them.
std::optional<std::string> TomlTextProblem(std::string_view text);

}  // namespace xa::xapack

#endif  // XA_XAPACK_TOML_TEXT_H_
