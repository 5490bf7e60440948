#ifndef XA_ENGINE_ANSI_CASE_H_
#define XA_ENGINE_ANSI_CASE_H_

#include <string>

namespace xa {

// `text` upper-cased letter by letter with the system's ANSI rules (on Windows the ANSI code
// page's; elsewhere ASCII only). The length never changes.
std::string AnsiUpperCase(const std::string& text);

// `text` with only the ASCII letters A to Z lowered.
std::string AsciiLowerCase(const std::string& text);

}  // namespace xa

#endif  // XA_ENGINE_ANSI_CASE_H_
