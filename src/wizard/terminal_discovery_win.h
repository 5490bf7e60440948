#ifndef XA_WIZARD_TERMINAL_DISCOVERY_WIN_H_
#define XA_WIZARD_TERMINAL_DISCOVERY_WIN_H_

#include <string>
#include <vector>

#include "engine/data_folders.h"

namespace xa {

// The immediate sub-folders of `root` that hold a file (not a folder) "terminal.exe", as
// root + "\" + name, in the order the file system lists them. Hidden, system and volume-label
// entries, entries that are no folders and names the ANSI code page cannot hold are passed
// over; there is no recursion. A missing or unreadable root gives an empty list.
std::vector<std::string> FindTerminalFolders(const std::string& root);

// The terminal folders the folder page lists: FindTerminalFolders(root), then the
// installations of `data_folders` not among them that hold terminal.exe (terminals installed
// elsewhere are found through their data folders).
std::vector<std::string> FindAllTerminalFolders(const std::string& root,
                                                const std::vector<TDataFolder>& data_folders);

// True when a top-level window of the MetaTrader 4 terminal's class exists.
bool IsTerminalRunning();

// True when `folder` + "\terminal.exe" exists and is a file, not a folder.
bool TerminalExeExists(const std::string& folder);

// The folder offered when no terminal is found: root + "\MetaTrader 4", which need not exist.
std::string DefaultTerminalFolder(const std::string& root);

}  // namespace xa

#endif  // XA_WIZARD_TERMINAL_DISCOVERY_WIN_H_
