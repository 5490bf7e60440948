// Under Wine: a program built like our installer still starts with a record appended, and the
// record loads from the file by path as the wizard loads its own executable.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "package/errors.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_writer.h"
#include "package/pe_layout.h"
#include "package/record_location.h"
#include "package/role.h"
#include "package/testing/temp_folder.h"
#include "package/xa_install.h"
#include "package/xa_uninstall.h"

namespace xa {
namespace {

// The probe's build path is a Unix path; Wine shows the Unix root as drive Z:.
std::string ProbePath() {
  std::string path = "Z:" XA_PROBE_PATH;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

DWORD RunAndWait(const std::string& path) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + path + "\"";
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return GetLastError() + 0x10000;
  }
  WaitForSingleObject(process.hProcess, 30000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

std::string WriteSetup(const testing::TempFolder& folder, const std::string& name) {
  TXaInstall package;
  package.ProgramName = "Probe Package";
  package.VersionMajor = 4;
  package.ContentKey.fill(0x5A);
  package.AddFile().TargetPath = "{app}\\readme.txt";
  TMemoryStream content(std::vector<uint8_t>(40, 'r'));
  TFileStream stub(ProbePath(), FileMode::kOpenRead);
  const std::string path = folder.Path(name);
  TFileStream out(path, FileMode::kCreate);
  WriteInstaller(package, {&content}, stub, out);
  return path;
}

TEST(InstallerFileTest, TheRelocatedProgramLeavesOffset136Free) {
  const std::vector<uint8_t> image = ReadAll(ProbePath());
  ASSERT_FALSE(image.empty());
  EXPECT_GE(NtHeadersOffset(image), 0x100u);
  for (int64_t i = kPayloadPointerOffset; i < kPayloadPointerOffset + 4; ++i)
    EXPECT_EQ(image[static_cast<size_t>(i)], 0) << i;
}

TEST(InstallerFileTest, ProgramsStartWithAndWithoutARecord) {
  EXPECT_EQ(RunAndWait(ProbePath()), 42u);
  testing::TempFolder folder;
  EXPECT_EQ(RunAndWait(WriteSetup(folder, "Setup.exe")), 42u);
}

TEST(InstallerFileTest, LoadsTheInstallRecordByPath) {
  testing::TempFolder folder;
  const std::string path = WriteSetup(folder, "Setup.exe");
  TXaInstall record;
  record.LoadFromFile(path);
  EXPECT_EQ(record.FileName, path);
  EXPECT_FALSE(IsUninstallRole(record.FileName));
  EXPECT_EQ(record.ProgramName, "Probe Package");
  EXPECT_EQ(record.VersionMajor, 4);
  ASSERT_EQ(record.Files.size(), 1u);
  EXPECT_EQ(record.Files[0]->Size, 48);
  EXPECT_EQ(record.Files[0]->Offset + record.Files[0]->Size,
            static_cast<int32_t>(std::filesystem::file_size(path)));
}

TEST(InstallerFileTest, AnInstallerNamedUninstallExeLoadsNoUninstallRecord) {
  testing::TempFolder folder;
  const std::string path = WriteSetup(folder, "UNINSTALL.EXE");
  ASSERT_TRUE(IsUninstallRole(path));
  TXaUninstall record;
  record.LoadFromFile(path);
  EXPECT_EQ(record.ProgramName, "");
  EXPECT_EQ(record.VersionMajor, 1);
  EXPECT_TRUE(record.RecordedFiles.empty());
}

TEST(InstallerFileTest, AFileHeldOpenCannotBeLoaded) {
  testing::TempFolder folder;
  const std::string path = WriteSetup(folder, "Setup.exe");
  TFileStream held(path, FileMode::kOpenRead);
  TXaInstall record;
  record.FileName = "before";
  try {
    record.LoadFromFile(path);
    ADD_FAILURE() << "loaded a file held open";
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + path + "\". ", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(record.FileName, "before");
}

}  // namespace
}  // namespace xa
