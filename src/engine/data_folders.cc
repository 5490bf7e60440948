#include "engine/data_folders.h"

#include <algorithm>

#include "engine/ansi_case.h"
#include "engine/path_macros.h"

namespace xa {
namespace {

bool IsSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Control characters, unpaired surrogates and what Windows refuses in a path; ':' is checked
// with the path's form.
bool HasBadCharacters(const std::u16string& path) {
  for (size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (c < 0x20 || std::u16string_view(u"<>\"|?*/").find(c) != std::u16string::npos)
      return true;
    if (IsHighSurrogate(c) && i + 1 < path.size() && IsLowSurrogate(path[i + 1])) {
      ++i;
      continue;
    }
    if (IsSurrogate(c))
      return true;
  }
  return false;
}

bool IsAsciiLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Where the parts of `path` begin: after "C:\" for a drive path, after "\\" for a network
// path, which needs a server and a share; npos for any other form.
size_t PartsStart(const std::u16string& path) {
  if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == u':' && path[2] == u'\\')
    return 3;
  if (path.compare(0, 2, u"\\\\") == 0 && path.find(u'\\', 2) != std::u16string::npos)
    return 2;
  return std::u16string::npos;
}

bool HasBadParts(const std::u16string& path, size_t start) {
  if (path.find(u':', 2) != std::u16string::npos)
    return true;
  while (start < path.size()) {
    size_t end = path.find(u'\\', start);
    if (end == std::u16string::npos)
      end = path.size();
    const std::u16string_view part(path.data() + start, end - start);
    if (part.empty() || part == u"." || part == u".." || part.back() == u' ' || part.back() == u'.')
      return true;
    start = end + 1;
  }
  return false;
}

std::string WithoutTrailingBackslashes(const std::string& path) {
  size_t end = path.size();
  while (end > 0 && path[end - 1] == '\\')
    --end;
  return path.substr(0, end);
}

}  // namespace

std::optional<std::u16string> ParseOrigin(std::string_view bytes) {
  if (bytes.size() > kMaxOriginFileSize || bytes.size() % 2 != 0 || bytes.size() < 2 ||
      static_cast<uint8_t>(bytes[0]) != 0xFF || static_cast<uint8_t>(bytes[1]) != 0xFE)
    return std::nullopt;
  std::u16string path;
  for (size_t i = 2; i < bytes.size(); i += 2) {
    path.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                         (static_cast<uint8_t>(bytes[i + 1]) << 8)));
  }
  while (!path.empty() && (path.back() == u'\r' || path.back() == u'\n'))
    path.pop_back();
  // "C:\" stays a root; every other path loses its trailing backslashes.
  while (path.size() > 3 && path.back() == u'\\')
    path.pop_back();
  const size_t parts = PartsStart(path);
  if (parts == std::u16string::npos || path.size() > kMaxOriginPathLength ||
      HasBadCharacters(path) || HasBadParts(path, parts))
    return std::nullopt;
  return path;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return AnsiUpperCase(WithoutTrailingBackslashes(a)) ==
         AnsiUpperCase(WithoutTrailingBackslashes(b));
}

std::vector<std::string> DataFoldersOf(const std::vector<TDataFolder>& data_folders,
                                       const std::string& installation) {
  std::vector<std::string> folders;
  for (const TDataFolder& data_folder : data_folders) {
    if (SameFolder(data_folder.Installation, installation))
      folders.push_back(data_folder.Folder);
  }
  return folders;
}

std::vector<std::string> UnlistedInstallations(const std::vector<std::string>& listed,
                                               const std::vector<TDataFolder>& data_folders,
                                               TFunctionRef<bool(const std::string&)> is_terminal) {
  std::vector<std::string> known = listed;
  std::vector<std::string> found;
  for (const TDataFolder& data_folder : data_folders) {
    const std::string& folder = data_folder.Installation;
    const auto same = [&folder](const std::string& other) { return SameFolder(other, folder); };
    if (std::any_of(known.begin(), known.end(), same) || !is_terminal(folder))
      continue;
    known.push_back(folder);
    found.push_back(folder);
  }
  return found;
}

std::vector<std::string> InstallDestinations(
    const std::vector<std::string>& terminal_folders,
    TFunctionRef<std::vector<std::string>(const std::string&)> data_folders_of) {
  std::vector<std::string> destinations;
  for (const std::string& terminal : terminal_folders) {
    destinations.push_back(terminal);
    for (const std::string& folder : data_folders_of(terminal)) {
      const auto same = [&folder](const std::string& other) { return SameFolder(other, folder); };
      if (std::none_of(destinations.begin(), destinations.end(), same))
        destinations.push_back(folder);
    }
  }
  return destinations;
}

int32_t DataFolderSteps(const TXaInstall& install, size_t extra_folders) {
  const auto terminal_files = static_cast<int32_t>(
      std::count_if(install.Files.begin(), install.Files.end(),
                    [](const auto& file) { return IsTerminalTarget(file->TargetPath); }));
  const int32_t per_folder = terminal_files + (install.SettingsOverride.empty() ? 0 : 1);
  return static_cast<int32_t>(extra_folders) * per_folder;
}

}  // namespace xa
