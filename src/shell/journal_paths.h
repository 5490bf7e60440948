#ifndef XA_SHELL_JOURNAL_PATHS_H_
#define XA_SHELL_JOURNAL_PATHS_H_

#include <cstdint>
#include <string>

#include "package/function_ref.h"

namespace xa {

// Where a file that an install replaces is kept until the install succeeds: beside it (so that
// a rename serves), under a name of its own that starts with "~xa" and carries `process_id` and
// `attempt` in hexadecimal, ending in ".tmp".
std::string KeptFilePath(const std::string& path, uint32_t process_id, uint32_t attempt);

// The first key of `key` (a path of keys joined by backslashes) that `exists` denies, counting
// from the top: the key whose deletion takes away everything that creating `key` made. "" when
// `key` exists.
std::string FirstMissingKey(const std::string& key, TFunctionRef<bool(const std::string&)> exists);

}  // namespace xa

#endif  // XA_SHELL_JOURNAL_PATHS_H_
