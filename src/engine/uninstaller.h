#ifndef XA_ENGINE_UNINSTALLER_H_
#define XA_ENGINE_UNINSTALLER_H_

#include <string>

#include "package/xa_install.h"
#include "shell/install_journal.h"

namespace xa {

// Writes the uninstaller `executable` (the program part of the running installer
// install.FileName, then the uninstall record of `install`), registers it in the Windows list
// of installed programs and saves the shortcut `shortcut` to it. Records `shortcut` first and
// reports "Creating unistaller ..." and "Registering unistaller ...". `journal` notes every
// folder, file and registry value before it is written. Raises file errors, EStreamError
// "Invalid file format" for an installer without a sound record pointer, and
// ERegistryException "Failed to set data for '%s'". Windows only.
void CreateUninstaller(TXaInstall& install,
                       TInstallJournal& journal,
                       const std::string& executable,
                       const std::string& shortcut);

// Writes the values of UninstallEntryValues into the Uninstall entry of install.ProgramName,
// creating it; `journal` notes the entry's earlier values first. The estimated size counts the
// recorded files of `install` and `executable` as they now lie on disk. Raises Exception for an
// unusable name, ERegistryException "Failed to set data for '%s'" when the entry cannot be
// written.
void RegisterUninstaller(TInstallJournal& journal,
                         const TXaInstall& install,
                         const std::string& executable);

}  // namespace xa

#endif  // XA_ENGINE_UNINSTALLER_H_
