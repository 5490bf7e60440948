#include "engine/data_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/install_run.h"
#include "engine/settings_override.h"
#include "engine/testing/data_folder_double.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "engine/uninstall_run.h"
#include "package/xa_uninstall.h"
#include "shell/com_apartment.h"
#include "shell/scoped_handle.h"
#include "shell/sys_folders.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Name() {
  return "XA Data Folder Test " + std::to_string(GetCurrentProcessId());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A terminal installation below the real Program Files, removed when the object goes.
class TProgramFilesTerminal {
 public:
  TProgramFilesTerminal()
      : path_(GetSysFolder(SysFolderId::kProgramFiles, false) + "\\" + Name() + " MT4") {
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
    CopyTerminalDouble(path_);
  }
  ~TProgramFilesTerminal() { RemoveTree(path_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Ours among the current user's data folders, sorted, as the file system lists in any order.
std::vector<std::pair<std::string, std::string>> OurDataFolders(const TDataFolderDoubles& ours) {
  std::vector<std::pair<std::string, std::string>> found;
  for (const TDataFolder& data_folder : ReadDataFolders(DataFoldersRoot())) {
    const auto& made = ours.Folders();
    if (std::find(made.begin(), made.end(), data_folder.Folder) != made.end())
      found.emplace_back(data_folder.Folder, data_folder.Installation);
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(ReadDataFoldersTest, FindsMetaTrader4DataFoldersAndPassesOverTheRest) {
  TTempFolder elsewhere{"brokers"};
  const std::string other_terminal = elsewhere.Path() + "\\Alpha MT4";
  ASSERT_TRUE(CreateDirectoryA(other_terminal.c_str(), nullptr));
  ASSERT_TRUE(CopyTerminalDouble(other_terminal));
  TProgramFilesTerminal program_files_terminal;
  TDataFolderDoubles doubles;
  const std::string ours = doubles.MakeFor(program_files_terminal.Path());
  const std::string alpha = doubles.MakeFor(other_terminal + "\\");
  const std::string gone = doubles.MakeFor(elsewhere.Path() + "\\Gone");
  doubles.Make(OriginFileBytes(other_terminal), "MQL5");
  CreateDirectoryA((doubles.Make("", "") + "\\Files").c_str(), nullptr);  // like "Common"
  doubles.Make("", "MQL4");
  doubles.Make(other_terminal);  // ANSI
  doubles.Make(std::string("\xFF\xFE", 2));
  doubles.Make(OriginFileBytes(other_terminal + std::string(600, '\\')));  // oversized
  doubles.Make(OriginFileBytes(other_terminal).substr(1));
  doubles.Make(OriginFileBytes("Alpha MT4"));
  // A path the ANSI code page cannot hold: "C:\" and a CJK ideograph.
  doubles.Make(
      std::string("\xFF\xFE"
                  "C\0:\0\\\0\x2D\x4E",
                  10));
  CreateDirectoryA((doubles.Make("", "MQL4") + "\\" + kOriginFileName).c_str(), nullptr);
  // An empty origin.txt, and one held open without sharing.
  WriteBytes(doubles.Make("", "MQL4") + "\\" + kOriginFileName, "");
  const std::string locked = doubles.Make(OriginFileBytes(other_terminal));
  TScopedHandle hold(CreateFileA((locked + "\\" + kOriginFileName).c_str(), GENERIC_READ, 0,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(hold.IsValid());

  std::vector<std::pair<std::string, std::string>> expected = {
      {ours, program_files_terminal.Path()},
      {alpha, other_terminal},
      {gone, elsewhere.Path() + "\\Gone"}};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(OurDataFolders(doubles), expected);

  const std::vector<TDataFolder> all = ReadDataFolders(DataFoldersRoot());
  EXPECT_EQ(DataFoldersOf(all, CharUpperA(std::string(other_terminal).data())),
            std::vector<std::string>{alpha});
  EXPECT_EQ(TerminalDestinations({program_files_terminal.Path() + "\\", other_terminal}),
            (std::vector<std::string>{program_files_terminal.Path() + "\\", ours, other_terminal,
                                      alpha}));
  EXPECT_TRUE(ReadDataFolders(elsewhere.Path() + "\\none").empty());
  EXPECT_TRUE(ReadDataFolders("").empty());
}

// A package installed into a terminal below Program Files and one elsewhere, each with a data
// folder of the current user, and uninstalled again.
class DataFolderInstallTest : public testing::Test {
 protected:
  void SetUp() override {
    terminal_a_ = program_files_terminal_.Path();
    ASSERT_TRUE(PathExists(terminal_a_ + "\\terminal.exe"));
    terminal_b_ = elsewhere_.Path() + "\\Beta MT4";
    ASSERT_TRUE(CreateDirectoryA(terminal_b_.c_str(), nullptr));
    ASSERT_TRUE(CopyTerminalDouble(terminal_b_));
    data_a_ = doubles_.MakeFor(terminal_a_);
    data_b_ = doubles_.MakeFor(terminal_b_);
    // Not ours to touch: a MetaTrader 5 data folder of the same installation.
    data_5_ = doubles_.Make(OriginFileBytes(terminal_a_), "MQL5");
    // The terminal's own files in its data folder, and a settings record longer than ours.
    WriteBytes(data_a_ + "\\MQL4\\Experts\\Own.ex4", "own");
    for (size_t i = 0; i < kExpertsRecordSize; ++i)
      old_settings_ += static_cast<char>(0x40 + i % 50);
    old_settings_ += "https://example.com/allowed";
    WriteBytes(ExpertsIniPath(data_a_), old_settings_);

    package_.ProgramName = Name();
    package_.SettingsOverride = "1 0 1";
    AddFile("{app}\\a.txt", "application file");
    AddFile("{metatrader}\\MQL4\\Experts\\e.ex4", "expert");
    AddFile("{metatrader}\\MQL4\\Indicators\\Sub\\i.ex4", "indicator");
  }

  void AddFile(const std::string& target, const std::string& content) {
    TXaInstallFile& file = package_.AddFile();
    file.TargetPath = target;
    file.CreationTime = 0x01D5000011112222ull;
    file.LastWriteTime = 0x01D6000033334444ull;
    contents_.push_back(content);
  }

  TComApartment apartment_;
  TTempFolder elsewhere_{"datafolders"};
  TProgramFilesTerminal program_files_terminal_;
  TDataFolderDoubles doubles_;
  TInstallCleanup cleanup_{Name()};
  std::string terminal_a_, terminal_b_, data_a_, data_b_, data_5_, old_settings_;
  TXaInstall package_;
  std::vector<std::string> contents_;
};

TEST_F(DataFolderInstallTest, CopiesIntoDataFoldersAndUninstallRemovesOnlyOurs) {
  const std::string installer = elsewhere_.Path() + "\\setup.exe";
  BuildInstaller(package_, contents_, installer);
  TXaInstall install;
  install.LoadFromFile(installer);
  install.TerminalFolders = {terminal_a_, terminal_b_};
  TProgressLog log;
  install.OnProgress = RecordProgress(log);
  RunInstall(install);

  const std::vector<std::string> destinations = {terminal_a_, data_a_, terminal_b_, data_b_};
  std::vector<std::string> expected_log = {"Copying file " + cleanup_.AppFolder() + "\\a.txt ..."};
  for (const std::string& folder : destinations) {
    expected_log.push_back("Copying file " + folder + "\\MQL4\\Experts\\e.ex4 ...");
    expected_log.push_back("Copying file " + folder + "\\MQL4\\Indicators\\Sub\\i.ex4 ...");
  }
  for (const std::string& folder : destinations)
    expected_log.push_back("Overriding MetaTrader settings in " + folder + " ...");
  ASSERT_GE(log.size(), expected_log.size());
  for (size_t i = 0; i < expected_log.size(); ++i)
    EXPECT_EQ(log[i].first, expected_log[i]);
  // Two data folders add two terminal files and one override each to the 2 x 3 + 2 + 10 steps;
  // without documents the fixed tail reports 3 of its 10.
  EXPECT_EQ(install.StepsExpected, 24);
  EXPECT_EQ(install.StepsDone, 16);

  for (const std::string& folder : destinations) {
    EXPECT_EQ(ReadFileBytes(folder + "\\MQL4\\Experts\\e.ex4"), "expert") << folder;
    EXPECT_EQ(ReadFileBytes(folder + "\\MQL4\\Indicators\\Sub\\i.ex4"), "indicator") << folder;
    EXPECT_EQ(ReadFileTimes(folder + "\\MQL4\\Experts\\e.ex4").Written, 0x01D6000033334444ull);
    const std::string settings = ReadFileBytes(ExpertsIniPath(folder));
    ASSERT_GE(settings.size(), kExpertsRecordSize) << folder;
    EXPECT_EQ(std::string({settings[4], settings[12], settings[40]}), std::string("\1\0\1", 3))
        << folder;
  }
  EXPECT_FALSE(PathExists(data_a_ + "\\a.txt"));
  EXPECT_FALSE(PathExists(data_5_ + "\\MQL4"));
  EXPECT_FALSE(PathExists(data_5_ + "\\config"));
  // The longer record is patched in its first 292 bytes; its list of addresses stays.
  std::string patched = old_settings_;
  patched[4] = 1;
  patched[12] = 0;
  patched[40] = 1;
  EXPECT_EQ(ReadFileBytes(ExpertsIniPath(data_a_)), patched);

  TXaUninstall uninstall;
  uninstall.LoadFromFile(cleanup_.AppFolder() + "\\Uninstall.exe");
  for (const std::string& folder : destinations) {
    for (const char* file : {"\\MQL4\\Experts\\e.ex4", "\\MQL4\\Indicators\\Sub\\i.ex4"}) {
      EXPECT_EQ(
          std::count(uninstall.RecordedFiles.begin(), uninstall.RecordedFiles.end(), folder + file),
          1)
          << folder + file;
    }
  }
  RunUninstall(uninstall);
  for (const std::string& terminal : {terminal_a_, terminal_b_}) {
    EXPECT_TRUE(PathExists(terminal + "\\terminal.exe")) << terminal;
    EXPECT_FALSE(PathExists(terminal + "\\MQL4")) << "made by the install";
  }
  for (const std::string& data_folder : {data_a_, data_b_}) {
    EXPECT_FALSE(PathExists(data_folder + "\\MQL4\\Experts\\e.ex4"));
    EXPECT_FALSE(PathExists(data_folder + "\\MQL4\\Indicators\\Sub"));
    EXPECT_TRUE(PathExists(data_folder + "\\MQL4\\Indicators")) << "the terminal's own";
    EXPECT_TRUE(PathExists(data_folder + "\\MQL4\\Experts"));
    EXPECT_TRUE(PathExists(data_folder + "\\" + kOriginFileName));
  }
  EXPECT_EQ(ReadFileBytes(data_a_ + "\\MQL4\\Experts\\Own.ex4"), "own");
  EXPECT_EQ(ReadFileBytes(ExpertsIniPath(data_a_)), patched);
}

}  // namespace
}  // namespace xa
