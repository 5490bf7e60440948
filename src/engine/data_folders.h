#ifndef XA_ENGINE_DATA_FOLDERS_H_
#define XA_ENGINE_DATA_FOLDERS_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/function_ref.h"
#include "package/xa_install.h"

namespace xa {

// Terminals from build 600 on read their MQL4 files from a data folder in the user's roaming
// application data rather than from their installation folder. These are what we rely on of
// such a folder; nothing else of it is assumed.

// Below the roaming application data folder: one sub-folder per data folder.
inline constexpr char kDataFoldersPath[] = "MetaQuotes\\Terminal";

// The file in a data folder that names its installation folder (UTF-16LE with a byte-order
// mark).
inline constexpr char kOriginFileName[] = "origin.txt";

// The sub-folder that makes a data folder a MetaTrader 4 one (MetaTrader 5 has "MQL5").
inline constexpr char kMql4FolderName[] = "MQL4";

// An origin.txt longer than this is not read: a path longer than any Windows accepts.
inline constexpr size_t kMaxOriginFileSize = 1024;

// The longest installation path taken from an origin.txt, in UTF-16 code units.
inline constexpr size_t kMaxOriginPathLength = 259;

// One data folder of the current user and the installation folder its origin.txt names.
struct TDataFolder {
  std::string Folder;
  std::string Installation;
};

// The installation folder named by the contents `bytes` of an origin.txt: UTF-16LE after the
// byte-order mark FF FE, a drive path ("C:\...") or a network path ("\\server\share..."),
// trailing line breaks and backslashes dropped (a drive root keeps its backslash). Nothing
// for anything else: no mark (ANSI, UTF-8, big-endian), an odd length, an empty or too long
// path, control characters, unpaired surrogates, characters Windows refuses in a path, empty,
// "." or ".." parts, or parts ending in a blank or a dot.
std::optional<std::u16string> ParseOrigin(std::string_view bytes);

// True when `a` and `b` name the same folder: letter case (ANSI rules) and trailing
// backslashes ignored.
bool SameFolder(const std::string& a, const std::string& b);

// The folders of `data_folders` whose installation is `installation`, in list order.
std::vector<std::string> DataFoldersOf(const std::vector<TDataFolder>& data_folders,
                                       const std::string& installation);

// The installation folders of `data_folders`, in list order, that are not in `listed` nor
// repeated and for which `is_terminal` holds.
std::vector<std::string> UnlistedInstallations(const std::vector<std::string>& listed,
                                               const std::vector<TDataFolder>& data_folders,
                                               TFunctionRef<bool(const std::string&)> is_terminal);

// Where the terminal files go: each of `terminal_folders` in order (repeats kept), each
// followed by those of its `data_folders_of` not yet among the folders before it.
std::vector<std::string> InstallDestinations(
    const std::vector<std::string>& terminal_folders,
    TFunctionRef<std::vector<std::string>(const std::string&)> data_folders_of);

// The install steps `extra_folders` destinations beyond the terminal folders add: one per
// terminal file each, and one each for the settings override when there is one.
int32_t DataFolderSteps(const TXaInstall& install, size_t extra_folders);

// The folder that holds the current user's data folders: the roaming application data folder +
// "\MetaQuotes\Terminal"; "" when that folder is unknown or its setting is damaged (never
// raises). Windows only.
std::string DataFoldersRoot();

// The MetaTrader 4 data folders below `root`, in the order the file system lists them: its
// sub-folders that hold an "MQL4" folder and an origin.txt that ParseOrigin takes, whose path
// the ANSI code page holds exactly. Everything else (MetaTrader 5 data folders, "Common",
// unreadable, oversized or malformed origin.txt files) is passed over quietly; a missing root
// gives none. Windows only.
std::vector<TDataFolder> ReadDataFolders(const std::string& root);

// InstallDestinations of `terminal_folders` with the current user's data folders. Windows
// only.
std::vector<std::string> TerminalDestinations(const std::vector<std::string>& terminal_folders);

}  // namespace xa

#endif  // XA_ENGINE_DATA_FOLDERS_H_
