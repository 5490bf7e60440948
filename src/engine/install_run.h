#ifndef XA_ENGINE_INSTALL_RUN_H_
#define XA_ENGINE_INSTALL_RUN_H_

#include "package/xa_install.h"

namespace xa {

// Progress messages of an install run that failed: the undo begins, then one line for every
// change that could not be undone, then how it ended.
inline constexpr char kUndoingInstall[] = "Undoing the installation ...";
inline constexpr char kInstallUndone[] = "The installation was undone.";
inline constexpr char kInstallPartlyUndone[] =
    "The installation was undone, except for what the lines above name.";

// Installs the loaded package `install` from the installer install.FileName into
// install.TerminalFolders and the application folder: copies the files (terminal files into
// every terminal and each of the current user's data folders of it), sets their times, writes
// their shortcuts, overrides the settings of the terminals and their data folders, writes the
// documents, website and contact shortcuts and the uninstaller, reporting every step and
// recording every path in install.InstalledItems. Over an earlier install of the same program
// (an Uninstall.exe of ours in the application folder) the new uninstall record also lists what
// the earlier one listed. Refuses, before writing anything, a record without a usable
// ProgramName or a machine without Program Files or all-users Start-menu Programs folder. An
// error ends the run after everything it changed has been put back (files it replaced, settings
// it patched, registry values) or removed (files, shortcuts, folders and the registry entry it
// created), reporting kUndoingInstall, every change that could not be undone and kInstallUndone
// or kInstallPartlyUndone, each without a step, and sets install.PartlyUndone in the latter case;
// then the error propagates. Windows only.
void RunInstall(TXaInstall& install);

}  // namespace xa

#endif  // XA_ENGINE_INSTALL_RUN_H_
