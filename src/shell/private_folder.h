#ifndef XA_SHELL_PRIVATE_FOLDER_H_
#define XA_SHELL_PRIVATE_FOLDER_H_

#include <string>

namespace xa {

// Folders and files that the program writes for itself and runs later, made so that nobody it
// does not trust can change them in between. They get a protected DACL (nothing inherited from
// the parent folder) that gives full control to SYSTEM and Administrators only, and are owned
// by Administrators, since an owner may always rewrite a DACL. A process that is no
// administrator (not elevated) cannot give itself rights through Administrators: its DACL
// gives full control to their owner as well (OWNER RIGHTS), the current user then, so that
// what it starts can still delete them. Windows only.

// True when the process's token has the Administrators group enabled: elevated, or an
// administrator where the system does not separate the rights.
bool RunsAsAdministrator();

// Where private folders are made, without a trailing backslash: for an administrator the
// Windows folder's "Temp", whose other users may add to it but neither rename, delete nor
// change what they did not make; else the temporary folder. "" when the system cannot tell.
std::string PrivateFolderParent();

// Makes a new folder below `parent` (no trailing backslash) whose name is 32 hexadecimal
// digits from the system's random source, with the DACL above, and returns its path. "" when it
// cannot be made so: the volume keeps no access control lists, the name exists already (it is
// never taken over), or the folder cannot be created.
std::string MakePrivateFolder(const std::string& parent);

// Creates the file `path` with the DACL above and writes `contents` into it; a file (or
// anything else) that exists at `path` is never opened. A file whose write fails is deleted
// again. False on failure.
bool WriteNewPrivateFile(const std::string& path, const std::string& contents);

}  // namespace xa

#endif  // XA_SHELL_PRIVATE_FOLDER_H_
