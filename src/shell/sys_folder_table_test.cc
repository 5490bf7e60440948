#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/sys_folders.h"

namespace xa {
namespace {

struct TableCase {
  int id;
  FolderSource source;
  const char* value_name;
};

class SysFolderTableTest : public testing::TestWithParam<TableCase> {};

TEST_P(SysFolderTableTest, NamesTheSourceAndValue) {
  const SysFolderSource entry = LookUpSysFolder(static_cast<SysFolderId>(GetParam().id));
  EXPECT_EQ(entry.source, GetParam().source);
  EXPECT_STREQ(entry.value_name, GetParam().value_name);
}

using S = FolderSource;

INSTANTIATE_TEST_SUITE_P(Ids,
                         SysFolderTableTest,
                         testing::Values(TableCase{0, S::kUserShellFolder, "Desktop"},
                                         TableCase{4, S::kUserShellFolder, "Personal"},
                                         TableCase{13, S::kUserShellFolder, "Cache"},
                                         TableCase{19, S::kUserShellFolder, "Local AppData"},
                                         TableCase{21, S::kUserShellFolder, "CD Burning"},
                                         TableCase{22, S::kUserShellFolder, "Administrative Tools"},
                                         TableCase{23, S::kWindowsDirectory, ""},
                                         TableCase{24, S::kSystemDirectory, ""},
                                         TableCase{25, S::kTempDirectory, ""},
                                         TableCase{26, S::kSystemDrive, ""},
                                         TableCase{27, S::kBootDrive, "BootDir"},
                                         TableCase{28, S::kCurrentVersion, "ProgramFilesDir"},
                                         TableCase{33, S::kCurrentVersion, "WallPaperDir"},
                                         TableCase{34, S::kCommonShellFolder,
                                                   "Common Administrative Tools"},
                                         TableCase{38, S::kCommonShellFolder, "Common Programs"},
                                         TableCase{41, S::kCommonShellFolder, "Common Templates"},
                                         TableCase{42, S::kCommonShellFolder, "CommonMusic"},
                                         TableCase{44, S::kCommonShellFolder, "CommonVideo"},
                                         TableCase{45, S::kNone, ""},
                                         TableCase{255, S::kNone, ""}));

TEST(SysFolderTableTest, EveryRegistryValueIsReadForOneIdOnly) {
  std::set<std::string> names;
  int registry_ids = 0;
  for (int id = 0; id < kSysFolderCount; ++id) {
    const SysFolderSource entry = LookUpSysFolder(static_cast<SysFolderId>(id));
    EXPECT_NE(entry.source, S::kNone) << id;
    if (*entry.value_name) {
      names.insert(entry.value_name);
      ++registry_ids;
    }
  }
  EXPECT_EQ(registry_ids, 41);
  EXPECT_EQ(names.size(), 41u);
}

TEST(IncludeTrailingDelimiterTest, AddsOneBackslashWhenMissing) {
  EXPECT_EQ(IncludeTrailingDelimiter("C:\\Windows"), "C:\\Windows\\");
  EXPECT_EQ(IncludeTrailingDelimiter("C:\\Temp\\"), "C:\\Temp\\");
  EXPECT_EQ(IncludeTrailingDelimiter(""), "\\");
}

TEST(BootDriveFromValueTest, DropsOneTrailingBackslash) {
  EXPECT_EQ(BootDriveFromValue("D:\\"), "D:");
  EXPECT_EQ(BootDriveFromValue(""), "C:");
  EXPECT_EQ(BootDriveFromValue("E:"), "E:");
  EXPECT_EQ(IncludeTrailingDelimiter(BootDriveFromValue("D:\\")), "D:\\");
  EXPECT_EQ(IncludeTrailingDelimiter(BootDriveFromValue("")), "C:\\");
}

}  // namespace
}  // namespace xa
