#ifndef XA_SHELL_REGISTRY_KEY_H_
#define XA_SHELL_REGISTRY_KEY_H_

#include <windows.h>

#include <cstdint>
#include <string>

#include "package/errors.h"

namespace xa {

// Registry failures that the program reports.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// Owns an open registry key and closes it when it goes. Key paths are relative to the root
// and carry no leading backslash.
class TRegKey {
 public:
  TRegKey() = default;
  ~TRegKey() { Close(); }
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;

  // Opens an existing key with `access`; never creates one. False when it cannot be opened.
  bool Open(HKEY root, const std::string& path, REGSAM access);

  // Opens the key with full access, creating it and its missing parents. False on failure.
  bool Create(HKEY root, const std::string& path);

  void Close();
  bool IsOpen() const { return key_ != nullptr; }
  // The system's answer to the last Open or Create.
  LSTATUS Status() const { return status_; }
  HKEY Get() const { return key_; }

  // The value `name` as text up to its first NUL, REG_EXPAND_SZ unexpanded, at whatever length
  // it has. Empty when the key is not open or the value is missing. Raises ERegistryException
  // "Invalid data type for '<name>'" for a value that is not a string.
  std::string ReadString(const std::string& name) const;

  // Writes `value` as REG_SZ. Raises ERegistryException "Failed to set data for '<name>'"
  // when the key is not open or the write fails.
  void WriteString(const std::string& name, const std::string& value);

  // Writes `value` as REG_DWORD. Raises as WriteString.
  void WriteDword(const std::string& name, uint32_t value);

 private:
  HKEY key_ = nullptr;
  LSTATUS status_ = ERROR_SUCCESS;
};

// Deletes the key at `path` below `root` with all its subkeys. False when nothing was deleted
// (missing key, no rights, or a path with an empty component, which is never deleted).
bool DeleteKeyTree(HKEY root, const std::string& path);

}  // namespace xa

#endif  // XA_SHELL_REGISTRY_KEY_H_
