#include <windows.h>

#include <exception>

#include "engine/earlier_install.h"
#include "shell/folder_rules.h"

namespace xa {

bool ReadEarlierRecord(const std::string& path,
                       const std::string& program_name,
                       TXaUninstall& earlier) {
  bool found = FileExists(path);
  if (found) {
    try {
      earlier.LoadFromFile(path);
      found = IsEarlierRecordOf(earlier, program_name);
    } catch (const std::exception&) {
      // An uninstaller that cannot be read counts as none: the install goes on without it.
      found = false;
    }
  }
  if (!found) {
    earlier.Clear();
    earlier.RecordFound = false;
  }
  return found;
}

}  // namespace xa
