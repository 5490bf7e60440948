#ifndef XA_SHELL_TESTING_TEMP_FOLDER_H_
#define XA_SHELL_TESTING_TEMP_FOLDER_H_

#include <string>

namespace xa {

// A fresh folder below `parent` (with its trailing backslash; by default the temporary
// folder), named after `tag` and the process id, removed with everything in it when the object
// goes.
class TTempFolder {
 public:
  explicit TTempFolder(const std::string& tag, const std::string& parent = {});
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder's path, without a trailing backslash.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Removes `path` with everything below it, clearing read-only attributes first.
void RemoveTree(const std::string& path);

// The bytes of the file at `path`; "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// False where the read-only attribute does not stop writes, as under Wine run by root; tests
// of read-only targets skip there. Probes with a file in `folder`.
bool ReadOnlyAttributeIsEnforced(const std::string& folder);

// True when `path` names an existing file or folder.
bool PathExists(const std::string& path);

}  // namespace xa

#endif  // XA_SHELL_TESTING_TEMP_FOLDER_H_
