#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/install_rules.h"
#include "engine/testing/win_test_support.h"
#include "engine/uninstall_run.h"
#include "shell/record_writers.h"
#include "shell/registry_key.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Suffix() {
  return " " + std::to_string(GetCurrentProcessId());
}

class UninstallRunTest : public testing::Test {
 protected:
  void SetUp() override {
    app_ = root_.Path() + "\\App";
    menu_ = root_.Path() + "\\Menu";
    ASSERT_TRUE(CreateDirectoryA(app_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(menu_.c_str(), nullptr));
    TRegKey other;
    ASSERT_TRUE(other.Create(HKEY_LOCAL_MACHINE, other_key_));
    other.WriteString("DisplayName", "Another program");
    uninstall_.ProgramName = "XA Uninstall Test" + Suffix();
    uninstall_.RecordedFolders = {app_, menu_};
    uninstall_.OnProgress = RecordProgress(log_);
  }
  void TearDown() override {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, other_key_);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, UninstallKeyPath("XA Uninstall Test" + Suffix()));
  }

  TTempFolder root_{"uninstall"};
  std::string app_;
  std::string menu_;
  std::string other_key_ = std::string(kUninstallKey) + "\\XA Other Program" + Suffix();
  TXaUninstall uninstall_;
  TProgressLog log_;
};

TEST_F(UninstallRunTest, ReportsEveryStepEvenForFilesAlreadyGone) {
  uninstall_.RecordedFiles = {app_ + "\\gone.txt", menu_ + "\\gone.lnk"};
  RunUninstall(uninstall_);
  EXPECT_EQ(uninstall_.StepsExpected, 5);
  const TProgressLog expected = {{"Delete file " + app_ + "\\gone.txt ...", 20},
                                 {"Delete file " + menu_ + "\\gone.lnk ...", 40},
                                 {"Remove folder " + app_ + " ...", 60},
                                 {"Remove folder " + menu_ + " ...", 80},
                                 {"Unregistering uninstaller ...", 100},
                                 {"Done.", 120}};
  EXPECT_EQ(log_, expected);
  EXPECT_FALSE(PathExists(app_));
  EXPECT_FALSE(PathExists(menu_));
}

TEST_F(UninstallRunTest, KeepsWhatTheInstallDidNotWrite) {
  WriteTextFile(app_ + "\\a.txt", "a");
  WriteTextFile(menu_ + "\\a.lnk", "l");
  WriteTextFile(menu_ + "\\foreign.lnk", "f");
  uninstall_.RecordedFiles = {app_ + "\\a.txt", menu_ + "\\a.lnk"};
  RunUninstall(uninstall_);
  EXPECT_FALSE(PathExists(app_));
  EXPECT_FALSE(PathExists(menu_ + "\\a.lnk"));
  EXPECT_EQ(ReadFileBytes(menu_ + "\\foreign.lnk"), "f");
}

TEST_F(UninstallRunTest, DeletesItsOwnEntryOnly) {
  const std::string own = UninstallKeyPath(uninstall_.ProgramName);
  TRegKey key;
  ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, own + "\\Sub"));
  key.Close();
  RunUninstall(uninstall_);
  EXPECT_FALSE(MachineKeyExists(own));
  EXPECT_EQ(ReadMachineValue(other_key_, "DisplayName"), "Another program");
}

TEST_F(UninstallRunTest, SkipsTheRegistryForAnUnusableName) {
  for (const char* name : {"", "\\", " ", "Foo\\"}) {
    uninstall_.ProgramName = name;
    log_.clear();
    RunUninstall(uninstall_);
    EXPECT_EQ(ReadMachineValue(other_key_, "DisplayName"), "Another program") << name;
    EXPECT_TRUE(MachineKeyExists(kUninstallKey));
    ASSERT_EQ(log_.size(), 4u);
    EXPECT_EQ(log_[2].first, "Unregistering uninstaller ...");
    EXPECT_EQ(log_[3].first, "Done.");
  }
}

}  // namespace
}  // namespace xa
