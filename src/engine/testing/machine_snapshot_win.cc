#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "engine/testing/machine_snapshot.h"
#include "shell/registry_key.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

uint64_t Time(const FILETIME& time) {
  return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// FNV-1a: enough to tell the bytes of two versions of a file apart.
uint64_t Digest(const std::string& bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (char c : bytes)
    hash = (hash ^ static_cast<uint8_t>(c)) * 0x100000001b3ull;
  return hash;
}

std::string Hex(const std::string& bytes) {
  std::string text;
  char digits[3];
  for (char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned>(static_cast<uint8_t>(c)));
    text += digits;
  }
  return text;
}

void AddFolder(const std::string& folder, bool creation_times, std::vector<std::string>& lines) {
  lines.push_back(folder + "\\ folder");
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE)
    return;
  do {
    const std::string name = data.cFileName;
    const std::string path = folder + "\\" + name;
    if (name == "." || name == "..")
      continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      AddFolder(path, creation_times, lines);
      continue;
    }
    const std::string bytes = ReadFileBytes(path);
    char line[160];
    std::snprintf(line, sizeof line, " size %zu digest %016llx attributes %lx written %016llx",
                  bytes.size(), static_cast<unsigned long long>(Digest(bytes)),
                  static_cast<unsigned long>(data.dwFileAttributes),
                  static_cast<unsigned long long>(Time(data.ftLastWriteTime)));
    std::string text = path + line;
    if (creation_times)
      text += " created " + std::to_string(Time(data.ftCreationTime));
    lines.push_back(text);
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

void AddKey(HKEY root, const std::string& path, std::vector<std::string>& lines) {
  TRegKey key;
  if (!key.Open(root, path, KEY_READ)) {
    lines.push_back(path + " missing");
    return;
  }
  lines.push_back(path + " key");
  char name[16384];
  std::string data(65536, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD name_size = sizeof name;
    DWORD type = 0;
    DWORD data_size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key.Get(), i, name, &name_size, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &data_size) != ERROR_SUCCESS)
      break;
    lines.push_back(path + " value " + name + " type " + std::to_string(type) + " data " +
                    Hex(data.substr(0, data_size)));
  }
  std::vector<std::string> subkeys;
  for (DWORD i = 0;; ++i) {
    DWORD name_size = sizeof name;
    if (RegEnumKeyExA(key.Get(), i, name, &name_size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    subkeys.push_back(name);
  }
  key.Close();
  for (const std::string& subkey : subkeys)
    AddKey(root, path + "\\" + subkey, lines);
}

}  // namespace

std::vector<std::string> SnapshotFolders(const std::vector<std::string>& folders,
                                         bool creation_times) {
  std::vector<std::string> lines;
  for (const std::string& folder : folders) {
    if (PathExists(folder))
      AddFolder(folder, creation_times, lines);
    else
      lines.push_back(folder + " missing");
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::vector<std::string> SnapshotMachineKey(const std::string& path) {
  std::vector<std::string> lines;
  AddKey(HKEY_LOCAL_MACHINE, path, lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace xa
