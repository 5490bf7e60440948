#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/settings_override.h"
#include "shell/record_writers.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

class OverrideTerminalSettingsTest : public testing::Test {
 protected:
  void SetUp() override { install_.SettingsOverride = "1 0"; }

  std::string Path() const { return ExpertsIniPath(folder_.Path()); }

  TTempFolder folder_{"settings"};
  TXaInstall install_;
  TInstallJournal journal_;
};

TEST_F(OverrideTerminalSettingsTest, MakesTheConfigFolderAndANewRecord) {
  OverrideTerminalSettings(install_, journal_, folder_.Path() + "\\");
  std::string expected(kExpertsRecordSize, '\0');
  expected[0] = '\x90';
  expected[1] = '\x01';
  expected[4] = 1;
  EXPECT_EQ(ReadFileBytes(Path()), expected);
}

TEST_F(OverrideTerminalSettingsTest, FillsAShortRecordWithDefaults) {
  ASSERT_TRUE(CreateDirectoryA((folder_.Path() + "\\config").c_str(), nullptr));
  WriteTextFile(Path(), std::string(10, '\x7F'));
  OverrideTerminalSettings(install_, journal_, folder_.Path());
  std::string expected(kExpertsRecordSize, '\0');
  expected.replace(0, 10, std::string(10, '\x7F'));
  expected[4] = 1;
  expected[12] = 0;
  EXPECT_EQ(ReadFileBytes(Path()), expected);
}

TEST_F(OverrideTerminalSettingsTest, PatchesARecordInPlaceKeepingWhatFollows) {
  ASSERT_TRUE(CreateDirectoryA((folder_.Path() + "\\config").c_str(), nullptr));
  for (size_t length : {kExpertsRecordSize, kExpertsRecordSize + 1000}) {
    std::string old(length, '\x55');
    WriteTextFile(Path(), old);
    OverrideTerminalSettings(install_, journal_, folder_.Path());
    old[4] = 1;
    old[12] = 0;
    EXPECT_EQ(ReadFileBytes(Path()), old) << length;
  }
}

}  // namespace
}  // namespace xa
