#include "engine/uninstall_entry.h"

#include <limits>
#include <utility>

#include "engine/install_rules.h"
#include "package/text_join.h"
#include "shell/folder_rules.h"

namespace xa {
namespace {

TUninstallValue Text(const char* name, std::string text) {
  return {name, std::move(text), 0, false};
}

TUninstallValue Number(const char* name, uint32_t number) {
  return {name, {}, number, true};
}

}  // namespace

std::string EntryVersion(const TXaData& program) {
  std::string version =
      JoinText({std::to_string(program.VersionMajor), ".", std::to_string(program.VersionMinor)});
  if (program.VersionBuild > 0 || program.VersionRelease > 0)
    version += "." + std::to_string(program.VersionBuild > 0 ? program.VersionBuild : 0);
  if (program.VersionRelease > 0)
    version += "." + std::to_string(program.VersionRelease);
  return version;
}

uint32_t SizeInKib(uint64_t bytes) {
  constexpr uint64_t kLargest = std::numeric_limits<uint32_t>::max();
  const uint64_t kib = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
  return static_cast<uint32_t>(kib < kLargest ? kib : kLargest);
}

std::vector<TUninstallValue> UninstallEntryValues(const TXaData& program,
                                                  const std::string& uninstaller,
                                                  uint64_t installed_bytes) {
  std::vector<TUninstallValue> values;
  values.push_back(Text("DisplayName", program.ProgramName));
  // Quoted: unquoted, a path with blanks lets C:\Program.exe run in our place.
  values.push_back(Text("UninstallString", JoinText({"\"", uninstaller, "\""})));
  values.push_back(Text("DisplayIcon", uninstaller));
  values.push_back(Text("DisplayVersion", EntryVersion(program)));
  if (!TrimBlanks(program.Publisher).empty())
    values.push_back(Text("Publisher", program.Publisher));
  const std::string website = WebsiteUrl(program.Website);
  if (!website.empty())
    values.push_back(Text("URLInfoAbout", website));
  const std::string email = TrimBlanks(program.ContactEmail);
  if (!email.empty())
    values.push_back(Text("HelpLink", "mailto:" + email));
  values.push_back(Text("InstallLocation", FolderPart(uninstaller)));
  values.push_back(Number("EstimatedSize", SizeInKib(installed_bytes)));
  values.push_back(Number("NoModify", 1));
  values.push_back(Number("NoRepair", 1));
  return values;
}

}  // namespace xa
