#ifndef XA_XAPACK_TERMINAL_LAYOUT_H_
#define XA_XAPACK_TERMINAL_LAYOUT_H_

#include <optional>
#include <string>
#include <string_view>

// Where terminal files must lie for MetaTrader 4 from build 600 on to read them.
namespace xa::xapack {

// The folders of a terminal's data folder (and installation folder) that current terminals
// read, in lower case: a {metatrader} target should start with one of them.
inline constexpr std::string_view kTerminalReadFolders[] = {
    "mql4", "templates", "profiles", "config", "history", "tester", "sounds"};

// A warning for a {metatrader} target that current terminals do not read, as a phrase naming
// the layout they expect ("is not below MQL4\ or another folder ..."); nullopt for a target
// below one of kTerminalReadFolders (ASCII case ignored) and for every other macro's target.
std::optional<std::string> TerminalLayoutWarning(std::string_view target);

}  // namespace xa::xapack

#endif  // XA_XAPACK_TERMINAL_LAYOUT_H_
