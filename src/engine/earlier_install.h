#ifndef XA_ENGINE_EARLIER_INSTALL_H_
#define XA_ENGINE_EARLIER_INSTALL_H_

#include <string>
#include <vector>

#include "package/xa_install.h"
#include "package/xa_uninstall.h"

namespace xa {

// True when `earlier`, loaded from the Uninstall.exe found in the application folder, is our
// uninstall record of the program `program_name` (case ignored), so that installing over it
// must take over what it lists.
bool IsEarlierRecordOf(const TXaUninstall& earlier, const std::string& program_name);

// Adds to `items` the files and folders of an earlier install's record that `items` does not
// already hold (case ignored), so that one uninstall removes both installs. Files are appended.
// Each folder goes just before the first folder item that holds it (appended when none does);
// as `items` lists every folder before the folders that hold it, so does the result, and every
// folder is emptied before its removal is tried.
void MergeEarlierRecord(std::vector<TInstalledItem>& items,
                        const std::vector<std::string>& earlier_files,
                        const std::vector<std::string>& earlier_folders);

// The uninstall record of the earlier install of `program_name` in the uninstaller `path`;
// false, with `earlier` cleared, when there is none or it cannot be read. Windows only.
bool ReadEarlierRecord(const std::string& path,
                       const std::string& program_name,
                       TXaUninstall& earlier);

}  // namespace xa

#endif  // XA_ENGINE_EARLIER_INSTALL_H_
