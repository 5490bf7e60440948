#ifndef XA_ENGINE_SELF_DELETE_H_
#define XA_ENGINE_SELF_DELETE_H_

#include <string>

namespace xa {

// Writes a batch file into the temporary folder that deletes `file` as soon as it is free,
// then its folder when `remove_folder` and it is empty, then itself, and starts it hidden at
// idle priority. True when the batch process was started; never raises. Refuses (false) a
// path the command interpreter's code page cannot spell, rather than let a substitute
// character name other files. Windows only.
bool SelfDelete(const std::string& file, bool remove_folder);

}  // namespace xa

#endif  // XA_ENGINE_SELF_DELETE_H_
