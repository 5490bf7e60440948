#ifndef XA_ENGINE_INSTALL_RULES_H_
#define XA_ENGINE_INSTALL_RULES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "package/xa_install.h"

namespace xa {

// The Windows list of installed programs, below HKEY_LOCAL_MACHINE.
inline constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

inline constexpr char kUnusableProgramName[] =
    "The package has no usable program name; nothing was installed";
inline constexpr char kNoProgramFilesFolder[] =
    "The Program Files folder is unknown; nothing was installed";
inline constexpr char kNoProgramsMenuFolder[] =
    "The all-users Start menu Programs folder is unknown; nothing was installed";

// The steps an install run of `install` expects: terminals x files, plus one per terminal
// when there is a settings override, plus 10.
int32_t ExpectedInstallSteps(const TXaInstall& install);

// `text` without leading and trailing blanks and control characters.
std::string TrimBlanks(const std::string& text);

// True when `name` can name an application folder and its own Uninstall entry: something is
// left after trimming blanks and backslashes, and no part between backslashes is empty (which
// would name the Uninstall key itself or a parent of it).
bool IsUsableProgramName(const std::string& name);

// The Uninstall entry of `program_name`. Raises Exception kUnusableProgramName for a name
// that IsUsableProgramName refuses.
std::string UninstallKeyPath(const std::string& program_name);

// Raises Exception when an install run must not start: an unusable program name, or an
// empty Program Files or all-users Start-menu Programs folder (which would put the package
// at the root of the current drive).
void CheckInstallable(const std::string& program_name,
                      const std::string& program_files,
                      const std::string& programs_menu);

// Raises EStreamError "Invalid file format" when `install`, loaded from an executable of
// `executable_size` bytes, is damaged or was cut short: its payload ends before its end marker,
// or a file entry's stored content (Size bytes from Offset, Size a positive multiple of 16)
// does not lie whole inside the executable. The install run checks this before it writes
// anything, so a cut download replaces no file.
void CheckPackageContents(const TXaInstall& install, int64_t executable_size);

// Records the menu sub-folders that hold the shortcuts named `shortcut_names` (a name
// "Docs\Manual" puts its shortcut into menu_folder\Docs) as folder items of `items`: each
// once, deepest first, inserted just before the item `menu_folder` (appended when there is
// none), so that the uninstall empties and removes them before it removes the menu folder.
void RecordShortcutFolders(std::vector<TInstalledItem>& items,
                           const std::string& menu_folder,
                           const std::vector<std::string>& shortcut_names);

// The folders between `parent` and the file or folder `path` below it, deepest first: for
// "P\\A\\B\\f.txt" below "P", "P\\A\\B" and "P\\A". None when `path` does not lie below
// `parent` (case ignored).
std::vector<std::string> FoldersBelow(const std::string& parent, const std::string& path);

// Records the folders an install made for its package files (below the application folder:
// every sub-folder that holds one, so that an install over an earlier one records them too;
// elsewhere: the folders that did not exist before) as folder items of `items`:
// each once (case ignored), deepest first, inserted just before the item `app_folder`
// (appended when there is none), so that the uninstall removes them once they are empty and
// before the self-removal removes the application folder. The application and menu folders
// themselves, already recorded, are left out.
void RecordTargetFolders(std::vector<TInstalledItem>& items,
                         const std::string& app_folder,
                         const std::string& menu_folder,
                         const std::vector<std::string>& created_folders);

// The website shortcut's URL: `website` trimmed, with "http://" put in front when it names no
// scheme ("://"); "" when nothing is left.
std::string WebsiteUrl(const std::string& website);

// "mailto:" + name + " <" + email + ">", or "mailto:" + email without a name; "" when the
// trimmed email is empty. Both fields are used untrimmed.
std::string ContactUrl(const std::string& contact_name, const std::string& contact_email);

}  // namespace xa

#endif  // XA_ENGINE_INSTALL_RULES_H_
