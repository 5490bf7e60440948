#ifndef XA_ENGINE_SELF_DELETE_H_
#define XA_ENGINE_SELF_DELETE_H_

#include <string>

namespace xa {

// Writes a batch file that deletes `file` as soon as it is free, then its folder when
// `remove_folder` and it is empty, then itself and its own folder, and starts it hidden at idle
// priority. The batch is run as the program runs (as administrator, mostly), so it is written
// new into a private folder (shell/private_folder.h) that nobody else can change, below
// PrivateFolderParent(), and run by the system's command interpreter without the AutoRun
// commands that the user's registry may name. True when the batch process was started; never
// raises. Where no such batch can be written or started, including for a path the
// interpreter's code page cannot spell (a substitute character would name other files), it
// leaves `file` (and its folder) for the system to delete at the next restart, which needs
// administrator rights, and returns false. Windows only.
bool SelfDelete(const std::string& file, bool remove_folder);

// SelfDelete with the batch's private folder made below `parent`.
bool SelfDeleteBelow(const std::string& parent, const std::string& file, bool remove_folder);

}  // namespace xa

#endif  // XA_ENGINE_SELF_DELETE_H_
