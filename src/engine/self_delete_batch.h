#ifndef XA_ENGINE_SELF_DELETE_BATCH_H_
#define XA_ENGINE_SELF_DELETE_BATCH_H_

#include <string>

namespace xa {

// A local date and time, as the batch file's name spells it.
struct TLocalTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

// "yyyymmddhhnnsszzz.bat": the 17 digits of `time`, each part zero-padded.
std::string BatchFileName(const TLocalTime& time);

// `path` with every "%" doubled, so that the command interpreter reads it literally.
std::string EscapeBatchText(const std::string& path);

// The batch that deletes `target` once it is free, removes its folder when `remove_folder`
// (when empty), and then deletes itself, the file `name` in the folder `folder` (no trailing
// backslash), and removes that folder: all on its last line, since the interpreter reads no
// further line once the batch is gone. CR LF lines, paths in double quotes and escaped. Paths
// are taken in the code page the interpreter reads.
std::string SelfDeleteBatchText(const std::string& target,
                                const std::string& folder,
                                const std::string& name,
                                bool remove_folder);

}  // namespace xa

#endif  // XA_ENGINE_SELF_DELETE_BATCH_H_
