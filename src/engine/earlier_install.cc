#include "engine/earlier_install.h"

#include <algorithm>

#include "engine/ansi_case.h"

namespace xa {
namespace {

bool Holds(const std::string& folder, const std::string& path) {
  return path.size() > folder.size() + 1 && path[folder.size()] == '\\' &&
         AnsiUpperCase(path.substr(0, folder.size())) == AnsiUpperCase(folder);
}

// The paths of the items, each upper-cased once and kept sorted: the system's case mapping is a
// call per path, and comparing every path of an earlier record with every item upper-cased them
// again for each pair, which made installing over a package of thousands of files take minutes.
class TListedPaths {
 public:
  explicit TListedPaths(const std::vector<TInstalledItem>& items) {
    for (const TInstalledItem& item : items)
      Add(item.Path, item.Mark == kInstalledFolder);
  }

  // Lists `path` as a folder or a file; false when it was listed already (case ignored).
  bool Add(const std::string& path, bool folder) {
    std::string key = (folder ? "D" : "F") + AnsiUpperCase(path);
    const auto place = std::lower_bound(keys_.begin(), keys_.end(), key);
    if (place != keys_.end() && *place == key)
      return false;
    keys_.insert(place, std::move(key));
    return true;
  }

 private:
  std::vector<std::string> keys_;
};

}  // namespace

bool IsEarlierRecordOf(const TXaUninstall& earlier, const std::string& program_name) {
  return earlier.RecordFound && AnsiUpperCase(earlier.ProgramName) == AnsiUpperCase(program_name);
}

void MergeEarlierRecord(std::vector<TInstalledItem>& items,
                        const std::vector<std::string>& earlier_files,
                        const std::vector<std::string>& earlier_folders) {
  TListedPaths listed(items);
  for (const std::string& file : earlier_files) {
    if (listed.Add(file, false))
      items.push_back({file, 0});
  }
  for (const std::string& folder : earlier_folders) {
    if (!listed.Add(folder, true))
      continue;
    const auto holder = std::find_if(items.begin(), items.end(), [&](const TInstalledItem& item) {
      return item.Mark == kInstalledFolder && Holds(item.Path, folder);
    });
    items.insert(holder, TInstalledItem{folder, kInstalledFolder});
  }
}

}  // namespace xa
