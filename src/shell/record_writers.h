#ifndef XA_SHELL_RECORD_WRITERS_H_
#define XA_SHELL_RECORD_WRITERS_H_

#include <string>

#include "package/xa_install.h"
#include "shell/install_journal.h"

namespace xa {

// Writes the internet shortcut `file` to `url`, creating its folder, after reporting "Creating
// shortcut <file> ..." and recording `file` in install.InstalledItems; `journal` notes the folders
// made and the file. Does nothing for a url that is empty or exactly "mailto:" or "http://".
// Raises the file-creation error.
void WriteInternetShortcut(TXaInstall& install,
                           TInstallJournal& journal,
                           const std::string& file,
                           const std::string& url);

// Writes `text` with normalised line breaks to `document`, then a shortcut `shortcut` to it;
// reports "Copying file <document> ..." and "Creating shortcut <shortcut> ...", recording each
// path before it is written; `journal` notes the folders made and both files. Does nothing for
// an empty text. Raises file and shortcut errors.
void WriteDocument(TXaInstall& install,
                   TInstallJournal& journal,
                   const std::string& document,
                   const std::string& shortcut,
                   const std::string& text);

// Creates the folder of `link` and saves a shortcut there to `target`, whose folder becomes
// the working folder; `journal` notes the folders made and the shortcut. Raises as
// TShellLink::Save.
void WriteFileShortcut(TInstallJournal& journal,
                       const std::string& link,
                       const std::string& target);

// Creates `path` anew, replacing a file of that name, and writes `contents` into it. Raises
// EStreamError "Cannot create file ..." or "Stream write error".
void WriteTextFile(const std::string& path, const std::string& contents);

}  // namespace xa

#endif  // XA_SHELL_RECORD_WRITERS_H_
