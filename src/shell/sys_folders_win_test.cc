#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/registry_key.h"
#include "shell/sys_folder_readers.h"
#include "shell/sys_folders.h"

namespace xa {
namespace {

// A key of our own below HKEY_CURRENT_USER, deleted again after each test.
class FolderValueTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = "Software\\XaSetupTests\\Folders" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(key_.Create(HKEY_CURRENT_USER, path_));
  }
  void TearDown() override {
    key_.Close();
    DeleteKeyTree(HKEY_CURRENT_USER, path_);
  }

  void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExA(key_.Get(), name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
  }

  std::string Read(const char* name) { return ReadFolderValue(HKEY_CURRENT_USER, path_, name); }

  std::string path_;
  TRegKey key_;
};

TEST_F(FolderValueTest, ReadsStringsWholeAndMissingValuesAsEmpty) {
  const std::string long_path = "C:\\" + std::string(600, 'x');
  key_.WriteString("Long", long_path);
  key_.WriteString("Plain", "C:\\Users\\Ann\\Documents");
  EXPECT_EQ(Read("Long"), long_path);
  EXPECT_EQ(Read("Plain"), "C:\\Users\\Ann\\Documents");
  EXPECT_EQ(Read("Missing"), "");
}

TEST_F(FolderValueTest, LeavesExpandStringsUnexpanded) {
  const char text[] = "%USERPROFILE%\\Documents";
  SetRaw("Expand", REG_EXPAND_SZ, text, sizeof(text));
  EXPECT_EQ(Read("Expand"), text);
}

TEST_F(FolderValueTest, StopsAtTheFirstNulAndCopesWithoutOne) {
  const char text[] = {'C', ':', '\\', 'a', '\0', 'b'};
  SetRaw("Nul", REG_SZ, text, sizeof(text));
  SetRaw("Open", REG_SZ, "C:\\b", 4);
  EXPECT_EQ(Read("Nul"), "C:\\a");
  EXPECT_EQ(Read("Open"), "C:\\b");
}

TEST_F(FolderValueTest, RaisesForANonStringValue) {
  const DWORD number = 7;
  SetRaw("Number", REG_DWORD, &number, sizeof(number));
  try {
    Read("Number");
    FAIL() << "no error";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'Number'");
  }
}

TEST_F(FolderValueTest, NeverCreatesAMissingKey) {
  const std::string missing = path_ + "\\Missing";
  EXPECT_EQ(ReadFolderValue(HKEY_CURRENT_USER, missing, "Any"), "");
  TRegKey probe;
  EXPECT_FALSE(probe.Open(HKEY_CURRENT_USER, missing, KEY_READ));
}

TEST(ExpandEnvironmentTest, ExpandsBeyondAPathsLength) {
  const std::string value(400, 'v');
  ASSERT_TRUE(SetEnvironmentVariableA("XA_LONG_FOLDER", value.c_str()));
  EXPECT_EQ(ExpandEnvironment("%XA_LONG_FOLDER%\\x"), value + "\\x");
  EXPECT_EQ(ExpandEnvironment("C:\\100% Tools"), "C:\\100% Tools");
}

std::string SystemDirectory() {
  char buffer[MAX_PATH];
  const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length);
}

TEST(GetSysFolderTest, WindowsDirectoriesComeFromWindows) {
  char buffer[MAX_PATH];
  EXPECT_EQ(GetSysFolder(SysFolderId::kWindows, false),
            std::string(buffer, GetWindowsDirectoryA(buffer, MAX_PATH)));
  EXPECT_EQ(GetSysFolder(SysFolderId::kSystem, false), SystemDirectory());
  EXPECT_EQ(GetSysFolder(SysFolderId::kSystemDrive, false), SystemDirectory().substr(0, 2));
  const std::string temp(buffer, GetTempPathA(MAX_PATH, buffer));
  EXPECT_EQ(GetSysFolder(SysFolderId::kTemp, false), temp);
  EXPECT_EQ(GetSysFolder(SysFolderId::kTemp, true), temp);
  EXPECT_EQ(temp.back(), '\\');
}

TEST(GetSysFolderTest, CurrentVersionValuesAreExpanded) {
  const std::string stored = ReadFolderValue(
      HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
  const std::string program_files = GetSysFolder(SysFolderId::kProgramFiles, false);
  ASSERT_FALSE(program_files.empty());
  EXPECT_EQ(program_files, ExpandEnvironment(stored));
  EXPECT_EQ(program_files.find('%'), std::string::npos);
}

TEST(GetSysFolderTest, ShellFoldersComeFromTheirKeys) {
  const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  EXPECT_EQ(GetSysFolder(SysFolderId::kCommonPrograms, false),
            ReadFolderValue(HKEY_LOCAL_MACHINE, key, "Common Programs"));
  EXPECT_EQ(GetSysFolder(SysFolderId::kUserDocuments, false),
            ReadFolderValue(HKEY_CURRENT_USER, key, "Personal"));
  EXPECT_FALSE(GetSysFolder(SysFolderId::kCommonPrograms, false).empty());
}

TEST(GetSysFolderTest, BootDriveHasNoDelimiterUnlessAsked) {
  const std::string boot = GetSysFolder(SysFolderId::kBootDrive, false);
  EXPECT_EQ(boot, BootDriveFromValue(ReadFolderValue(
                      HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup",
                      "BootDir")));
  EXPECT_EQ(GetSysFolder(SysFolderId::kBootDrive, true), boot + "\\");
}

TEST(GetSysFolderTest, DelimiterFlagAppliesToEveryId) {
  for (int id = 0; id <= kSysFolderCount; ++id) {
    const auto folder = static_cast<SysFolderId>(id);
    EXPECT_EQ(GetSysFolder(folder, true), IncludeTrailingDelimiter(GetSysFolder(folder, false)))
        << id;
  }
  EXPECT_EQ(GetSysFolder(static_cast<SysFolderId>(45), false), "");
  EXPECT_EQ(GetSysFolder(static_cast<SysFolderId>(45), true), "\\");
}

}  // namespace
}  // namespace xa
