#ifndef XA_XAPACK_TERMINAL_LAYOUT_H_
#define XA_XAPACK_TERMINAL_LAYOUT_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where terminal files must lie for MetaTrader 4 from build 600 on to read them.
namespace xa::xapack {

// The folders of a terminal's data folder (and installation folder) that current terminals
// read, in lower case: a {metatrader} target should start with one of them.
inline constexpr std::string_view kTerminalReadFolders[] = {
    "mql4", "templates", "profiles", "config", "history", "tester", "sounds"};

// True when `name` is one of kTerminalReadFolders, ASCII case ignored.
bool IsTerminalReadFolder(std::string_view name);

// The folders of a terminal's MQL4 folder that hold a package's files, in their canonical
// spelling.
inline constexpr std::string_view kMql4Folders[] = {"Experts", "Indicators", "Scripts", "Libraries",
                                                    "Include", "Files",      "Presets"};

// The {metatrader} target of a file that lies at `names` (its folders, then its own name) below
// a terminal's data folder: "{metatrader}\" and the names joined by backslashes, the terminal's
// folders in their canonical spelling (MQL4\Experts, templates). nullopt for a file outside
// the folders a package installs into: below MQL4 one of kMql4Folders, elsewhere one of the
// other kTerminalReadFolders (ASCII case ignored); a file directly in one of them counts.
std::optional<std::string> DataFolderTarget(const std::vector<std::string>& names);

// A warning for a {metatrader} target that current terminals do not read, as a phrase naming
// the layout they expect ("is not below MQL4\ or another folder ..."); nullopt for a target
// below one of kTerminalReadFolders (ASCII case ignored) and for every other macro's target.
std::optional<std::string> TerminalLayoutWarning(std::string_view target);

}  // namespace xa::xapack

#endif  // XA_XAPACK_TERMINAL_LAYOUT_H_
