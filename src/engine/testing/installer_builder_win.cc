#include <windows.h>

#include <fstream>
#include <iterator>

#include "engine/install_rules.h"
#include "engine/testing/installer_builder.h"
#include "package/executable_path.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_writer.h"
#include "shell/folder_rules.h"
#include "shell/registry_key.h"
#include "shell/sys_folders.h"
#include "shell/testing/temp_folder.h"

namespace xa {

std::string TestProgramFolder() {
  return FolderPart(ExecutablePath());
}

std::string StubProgramPath() {
  return TestProgramFolder() + "\\enginectl.exe";
}

void BuildInstaller(TXaInstall& package,
                    const std::vector<std::string>& contents,
                    const std::string& path,
                    const std::string& stub_path) {
  std::vector<TMemoryStream> sources;
  std::vector<TStream*> pointers;
  for (const std::string& content : contents)
    sources.emplace_back(std::vector<uint8_t>(content.begin(), content.end()));
  for (TMemoryStream& source : sources)
    pointers.push_back(&source);
  // Read with sharing: other test processes may be running enginectl.exe or reading it too.
  std::ifstream program(stub_path, std::ios::binary);
  TMemoryStream stub(std::vector<uint8_t>(std::istreambuf_iterator<char>(program), {}));
  TFileStream output(path, FileMode::kCreate);
  WriteInstaller(package, pointers, stub, output);
}

TInstallCleanup::TInstallCleanup(std::string program_name)
    : program_name_(std::move(program_name)) {
  Clean();
}

TInstallCleanup::~TInstallCleanup() {
  Clean();
}

std::string TInstallCleanup::AppFolder() const {
  return GetSysFolder(SysFolderId::kProgramFiles, false) + "\\" + program_name_;
}

std::string TInstallCleanup::MenuFolder() const {
  return GetSysFolder(SysFolderId::kCommonPrograms, false) + "\\" + program_name_;
}

std::string TInstallCleanup::KeyPath() const {
  return UninstallKeyPath(program_name_);
}

void TInstallCleanup::Clean() const {
  RemoveTree(AppFolder());
  RemoveTree(MenuFolder());
  DeleteKeyTree(HKEY_LOCAL_MACHINE, KeyPath());
}

}  // namespace xa
