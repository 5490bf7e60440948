#ifndef XA_ENGINE_UNINSTALL_ENTRY_H_
#define XA_ENGINE_UNINSTALL_ENTRY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "package/xa_data.h"

namespace xa {

// One value of the program's entry in the list of installed programs: a string (REG_SZ) or,
// when IsNumber, a DWORD.
struct TUninstallValue {
  std::string Name;
  std::string Text;
  uint32_t Number = 0;
  bool IsNumber = false;
};

// "major.minor", then ".build" when build or release is greater than 0, then ".release" when
// release is: "2.10", "2.10.3", "2.10.0.4".
std::string EntryVersion(const TXaData& program);

// `bytes` in whole KiB, rounded up; at most the largest DWORD.
uint32_t SizeInKib(uint64_t bytes);

// The values of the entry of `program`, in the order they are written: "DisplayName",
// "UninstallString" (the uninstaller's path quoted), "DisplayIcon", "DisplayVersion",
// "Publisher", "URLInfoAbout" (the website as its shortcut names it) and "HelpLink" (the contact
// e-mail as a mailto: link), the last three only when there is something to write,
// "InstallLocation" (the folder of `uninstaller`), "EstimatedSize" (`installed_bytes` in KiB),
// "NoModify" and "NoRepair" (1: the list offers neither).
std::vector<TUninstallValue> UninstallEntryValues(const TXaData& program,
                                                  const std::string& uninstaller,
                                                  uint64_t installed_bytes);

}  // namespace xa

#endif  // XA_ENGINE_UNINSTALL_ENTRY_H_
