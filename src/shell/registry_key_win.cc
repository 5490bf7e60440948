#include "shell/registry_key.h"

#include <shlwapi.h>

#include "package/text_join.h"

namespace xa {

bool TRegKey::Open(HKEY root, const std::string& path, REGSAM access) {
  Close();
  status_ = RegOpenKeyExA(root, path.c_str(), 0, access, &key_);
  if (status_ != ERROR_SUCCESS)
    key_ = nullptr;
  return IsOpen();
}

bool TRegKey::Create(HKEY root, const std::string& path) {
  Close();
  status_ =
      RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  if (status_ != ERROR_SUCCESS)
    key_ = nullptr;
  return IsOpen();
}

void TRegKey::Close() {
  if (key_)
    RegCloseKey(key_);
  key_ = nullptr;
}

std::string TRegKey::ReadString(const std::string& name) const {
  if (!key_)
    return {};
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    Raise<ERegistryException>(JoinText({"Invalid data type for '", name, "'"}));
  std::string data;
  LONG result = ERROR_MORE_DATA;
  // The value may grow between the two queries; ask again with the size it now needs.
  while (result == ERROR_MORE_DATA) {
    data.resize(size + 1);
    size = static_cast<DWORD>(data.size());
    result = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (result != ERROR_SUCCESS)
    return {};
  data.resize(size);
  return data.substr(0, data.find('\0'));
}

void TRegKey::WriteString(const std::string& name, const std::string& value) {
  if (!key_ ||
      RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    Raise<ERegistryException>(JoinText({"Failed to set data for '", name, "'"}));
}

void TRegKey::WriteDword(const std::string& name, uint32_t value) {
  const DWORD data = value;
  if (!key_ || RegSetValueExA(key_, name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof data) != ERROR_SUCCESS)
    Raise<ERegistryException>(JoinText({"Failed to set data for '", name, "'"}));
}

bool DeleteKeyTree(HKEY root, const std::string& path) {
  // An empty component would name a parent key, and with it every sibling entry.
  if (path.empty() || path.front() == '\\' || path.back() == '\\' ||
      path.find("\\\\") != std::string::npos)
    return false;
  return SHDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace xa
