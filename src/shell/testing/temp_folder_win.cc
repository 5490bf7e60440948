#include <windows.h>

#include <fstream>
#include <sstream>

#include "shell/sys_folder_readers.h"
#include "shell/testing/temp_folder.h"

namespace xa {

namespace {

int next_folder_number = 0;

}  // namespace

// Every folder gets a new name: one left behind because a process still holds a file in it
// (Wine's services inherit the standard handles of the first program that starts them) must not
// be reused. A folder of the same name that a killed run of a process with the same id left goes
// first.
TTempFolder::TTempFolder(const std::string& tag, const std::string& parent)
    : path_((parent.empty() ? GetTempDir() : parent) + "xa_" + tag + "_" +
            std::to_string(GetCurrentProcessId()) + "_" + std::to_string(next_folder_number++)) {
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TTempFolder::~TTempFolder() {
  RemoveTree(path_);
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  const HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..")
        continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileA(child.c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

bool ReadOnlyAttributeIsEnforced(const std::string& folder) {
  const std::string probe = folder + "\\read_only_probe";
  HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  CloseHandle(file);
  SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
  file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
  const bool enforced = file == INVALID_HANDLE_VALUE;
  if (!enforced)
    CloseHandle(file);
  SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(probe.c_str());
  return enforced;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace xa
