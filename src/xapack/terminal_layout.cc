#include "xapack/terminal_layout.h"

#include <algorithm>

#include "xapack/target_path.h"

namespace xa::xapack {
namespace {

// `name` in the spelling of the first of `canonical` it equals (ASCII case ignored); empty when
// none does.
template <size_t N>
std::string_view CanonicalName(std::string_view name, const std::string_view (&canonical)[N]) {
  const std::string lower = AsciiLower(name);
  for (const std::string_view known : canonical) {
    if (AsciiLower(known) == lower)
      return known;
  }
  return {};
}

}  // namespace

bool IsTerminalReadFolder(std::string_view name) {
  return std::find(std::begin(kTerminalReadFolders), std::end(kTerminalReadFolders),
                   AsciiLower(name)) != std::end(kTerminalReadFolders);
}

std::optional<std::string> DataFolderTarget(const std::vector<std::string>& names) {
  if (names.size() < 2)
    return std::nullopt;
  const std::string_view top = CanonicalName(names[0], kTerminalReadFolders);
  if (top.empty())
    return std::nullopt;
  std::string target = "{metatrader}";
  size_t rest = 1;
  if (top == "mql4") {
    const std::string_view folder = names.size() > 2 ? CanonicalName(names[1], kMql4Folders) : "";
    if (folder.empty())
      return std::nullopt;
    target += "\\MQL4\\" + std::string(folder);
    rest = 2;
  } else {
    target += "\\" + std::string(top);
  }
  for (size_t i = rest; i < names.size(); ++i)
    target += "\\" + names[i];
  return target;
}

std::optional<std::string> TerminalLayoutWarning(std::string_view target) {
  const std::string_view macro = LeadingMacro(target);
  if (macro != "{metatrader}")
    return std::nullopt;
  const std::string_view rest = target.substr(std::min(target.size(), macro.size() + 1));
  const size_t end = rest.find('\\');
  // A file directly in the terminal folder is read from there by no current terminal.
  if (end != std::string_view::npos && IsTerminalReadFolder(rest.substr(0, end)))
    return std::nullopt;
  return "is not below MQL4\\ or another folder MetaTrader 4 reads from build 600 on "
         "(templates\\, profiles\\, config\\, history\\, tester\\, sounds\\): those terminals "
         "expect MQL4\\Experts, MQL4\\Indicators, MQL4\\Scripts, MQL4\\Libraries, "
         "MQL4\\Include, MQL4\\Files or MQL4\\Presets";
}

}  // namespace xa::xapack
