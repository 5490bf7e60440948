#include "package/role.h"

namespace xa {
namespace {

constexpr std::string_view kUninstallerName = "Uninstall.exe";

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view FileNamePart(std::string_view path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view FileTitlePart(std::string_view path) {
  const std::string_view name = FileNamePart(path);
  return name.substr(0, name.rfind('.'));
}

bool IsUninstallRole(std::string_view executable_path) {
  const std::string_view name = FileNamePart(executable_path);
  if (name.size() != kUninstallerName.size())
    return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (AsciiLower(name[i]) != AsciiLower(kUninstallerName[i]))
      return false;
  }
  return true;
}

}  // namespace xa
