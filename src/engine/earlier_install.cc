#include "engine/earlier_install.h"

#include <algorithm>

#include "engine/ansi_case.h"

namespace xa {
namespace {

bool Holds(const std::string& folder, const std::string& path) {
  return path.size() > folder.size() + 1 && path[folder.size()] == '\\' &&
         AnsiUpperCase(path.substr(0, folder.size())) == AnsiUpperCase(folder);
}

bool Listed(const std::vector<TInstalledItem>& items, const std::string& path, bool folder) {
  const std::string upper = AnsiUpperCase(path);
  return std::any_of(items.begin(), items.end(), [&](const TInstalledItem& item) {
    return (item.Mark == kInstalledFolder) == folder && AnsiUpperCase(item.Path) == upper;
  });
}

}  // namespace

bool IsEarlierRecordOf(const TXaUninstall& earlier, const std::string& program_name) {
  return earlier.RecordFound && AnsiUpperCase(earlier.ProgramName) == AnsiUpperCase(program_name);
}

void MergeEarlierRecord(std::vector<TInstalledItem>& items,
                        const std::vector<std::string>& earlier_files,
                        const std::vector<std::string>& earlier_folders) {
  for (const std::string& file : earlier_files) {
    if (!Listed(items, file, false))
      items.push_back({file, 0});
  }
  for (const std::string& folder : earlier_folders) {
    if (Listed(items, folder, true))
      continue;
    const auto holder = std::find_if(items.begin(), items.end(), [&](const TInstalledItem& item) {
      return item.Mark == kInstalledFolder && Holds(item.Path, folder);
    });
    items.insert(holder, TInstalledItem{folder, kInstalledFolder});
  }
}

}  // namespace xa
