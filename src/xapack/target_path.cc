#include "xapack/target_path.h"

#include <algorithm>

namespace xa::xapack {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

std::vector<std::string_view> SplitNames(std::string_view path) {
  std::vector<std::string_view> names;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      names.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return names;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string_view LeadingMacro(std::string_view text) {
  for (const std::string_view macro : kKnownMacros) {
    if (AsciiLower(text.substr(0, macro.size())) == macro)
      return macro;
  }
  return {};
}

bool ContainsMacro(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (!LeadingMacro(text.substr(i)).empty())
      return true;
  }
  return false;
}

bool IsPortableFileName(std::string_view name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ')
    return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

bool IsShortcutName(std::string_view name) {
  for (;;) {
    const size_t separator = name.find('\\');
    // IsPortableFileName refuses empty names and names ending in a dot, so "." and "..".
    if (!IsPortableFileName(name.substr(0, separator)))
      return false;
    if (separator == std::string_view::npos)
      return true;
    name.remove_prefix(separator + 1);
  }
}

std::optional<std::string> TargetPathProblem(std::string_view target) {
  const std::string_view macro = LeadingMacro(target);
  if (macro.empty()) {
    return "does not start with a known macro ({app}, {bootdir}, {windir}, {winsysdir}, "
           "{mydocuments}, {metatrader})";
  }
  const std::string_view rest = target.substr(macro.size());
  if (rest.size() < 2 || !IsSeparator(rest[0]))
    return "names no file after its macro (write it as " + std::string(macro) + "\\file)";
  for (const std::string_view name : SplitNames(rest.substr(1))) {
    if (name == "." || name == "..")
      return "has a \".\" or \"..\" component";
    if (name.empty())
      return "has an empty folder name (a doubled or trailing backslash)";
    if (ContainsMacro(name))
      return "holds a second macro";
    if (!IsPortableFileName(name))
      return "has a name Windows does not allow (\"" + std::string(name) + "\")";
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> ExtractionPath(std::string_view target) {
  if (TargetPathProblem(target))
    return std::nullopt;
  const std::string_view macro = LeadingMacro(target);
  std::vector<std::string> names = {std::string(macro)};
  for (const std::string_view name : SplitNames(target.substr(macro.size() + 1)))
    names.emplace_back(name);
  return names;
}

std::string TargetKey(std::string_view target) {
  std::string key = AsciiLower(target);
  std::replace(key.begin(), key.end(), '/', '\\');
  return key;
}

}  // namespace xa::xapack
