#include "engine/testing/data_folder_double.h"

#include <windows.h>

#include <fstream>

#include "engine/data_folders.h"
#include "linklabel/ansi.h"
#include "shell/folder_rules.h"
#include "shell/testing/temp_folder.h"

namespace xa {

std::string OriginFileBytes(const std::string& ansi_path) {
  std::string bytes("\xFF\xFE", 2);
  for (char16_t c : AnsiToUtf16(ansi_path)) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

TDataFolderDoubles::~TDataFolderDoubles() {
  for (const std::string& folder : folders_)
    RemoveTree(folder);
}

std::string TDataFolderDoubles::Make(const std::string& origin, const std::string& language) {
  char name[40];
  wsprintfA(name, "XATEST%08lX%04X", GetCurrentProcessId(), static_cast<unsigned>(folders_.size()));
  const std::string folder = DataFoldersRoot() + "\\" + name;
  ForceDirectories(folder);
  folders_.push_back(folder);
  if (!language.empty())
    CreateDirectoryA((folder + "\\" + language).c_str(), nullptr);
  if (!origin.empty()) {
    std::ofstream file(folder + "\\" + kOriginFileName, std::ios::binary);
    file.write(origin.data(), static_cast<std::streamsize>(origin.size()));
  }
  return folder;
}

std::string TDataFolderDoubles::MakeFor(const std::string& installation) {
  const std::string folder = Make(OriginFileBytes(installation));
  for (const char* sub :
       {"Experts", "Indicators", "Scripts", "Libraries", "Include", "Files", "Presets"}) {
    CreateDirectoryA((folder + "\\MQL4\\" + sub).c_str(), nullptr);
  }
  CreateDirectoryA((folder + "\\config").c_str(), nullptr);
  return folder;
}

}  // namespace xa
