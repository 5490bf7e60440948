#ifndef XA_ENGINE_INSTALL_RUN_H_
#define XA_ENGINE_INSTALL_RUN_H_

#include "package/xa_install.h"

namespace xa {

// Installs the loaded package `install` from the installer install.FileName into
// install.TerminalFolders and the application folder: copies the files (terminal files into
// every terminal and each of the current user's data folders of it), sets their times, writes
// their shortcuts, overrides the settings of the terminals and their data folders, writes the
// documents, website and contact shortcuts and the uninstaller, reporting every step and recording
// every path in install.InstalledItems. Refuses, before writing anything, a record without a usable
// ProgramName or a machine without Program Files or all-users Start-menu Programs folder. Errors
// end the run; nothing is rolled back. Windows only.
void RunInstall(TXaInstall& install);

}  // namespace xa

#endif  // XA_ENGINE_INSTALL_RUN_H_
