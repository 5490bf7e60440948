#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/self_delete.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "shell/folder_rules.h"
#include "shell/record_writers.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

// Points the temporary folder of this process at `folder` while it lives.
class TTempOverride {
 public:
  explicit TTempOverride(const std::string& folder) {
    for (const char* name : {"TMP", "TEMP"}) {
      char value[MAX_PATH] = "";
      saved_.push_back(GetEnvironmentVariableA(name, value, MAX_PATH) ? value : "");
      SetEnvironmentVariableA(name, folder.c_str());
    }
  }
  ~TTempOverride() {
    SetEnvironmentVariableA("TMP", saved_[0].c_str());
    SetEnvironmentVariableA("TEMP", saved_[1].c_str());
  }

 private:
  std::vector<std::string> saved_;
};

bool HasBatchFile(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  const HANDLE find = FindFirstFileA((folder + "\\*.bat").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE)
    return false;
  FindClose(find);
  return true;
}

class SelfDeleteTest : public testing::Test {
 protected:
  // Makes `folder` below the root with an Uninstall.exe in it and returns the file's path.
  std::string MakeTarget(const std::string& folder) {
    const std::string path = root_.Path() + "\\" + folder;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    WriteTextFile(path + "\\Uninstall.exe", "x");
    return path + "\\Uninstall.exe";
  }

  TTempFolder root_{"selfdelete"};
};

TEST_F(SelfDeleteTest, QuotesABatchPathWithBlanks) {
  // Unquoted, "<root>\a b\<time>.bat" would start "<root>\a.exe" instead of the batch.
  const std::string temp = root_.Path() + "\\a b";
  ASSERT_TRUE(CreateDirectoryA(temp.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA(StubProgramPath().c_str(), (root_.Path() + "\\a.exe").c_str(), FALSE));
  const std::string target = MakeTarget("App");
  {
    TTempOverride override(temp + "\\");
    ASSERT_TRUE(SelfDelete(target, true));
  }
  EXPECT_TRUE(WaitFor([&] { return !PathExists(FolderPart(target)); }, 60));
  EXPECT_TRUE(WaitFor([&] { return !HasBatchFile(temp); }, 60));
}

TEST_F(SelfDeleteTest, DeletesFoldersWithPercentSignsAndAccents) {
  const std::string percent = MakeTarget("100% Tools %PATH%");
  const std::string accent = MakeTarget("Caf\xE9 \xC4rger");
  ASSERT_TRUE(SelfDelete(percent, true));
  ASSERT_TRUE(SelfDelete(accent, true));
  EXPECT_TRUE(WaitFor([&] { return !PathExists(FolderPart(percent)); }, 60));
  EXPECT_TRUE(WaitFor([&] { return !PathExists(FolderPart(accent)); }, 60));
}

TEST_F(SelfDeleteTest, KeepsTheFolderWhenNotAsked) {
  const std::string target = MakeTarget("Keep");
  ASSERT_TRUE(SelfDelete(target, false));
  EXPECT_TRUE(WaitFor([&] { return !PathExists(target); }, 60));
  EXPECT_TRUE(PathExists(FolderPart(target)));
}

TEST_F(SelfDeleteTest, LeavesAFolderThatStillHoldsFiles) {
  const std::string target = MakeTarget("Busy");
  WriteTextFile(FolderPart(target) + "\\other.txt", "o");
  ASSERT_TRUE(SelfDelete(target, true));
  EXPECT_TRUE(WaitFor([&] { return !PathExists(target); }, 60));
  EXPECT_EQ(ReadFileBytes(FolderPart(target) + "\\other.txt"), "o");
}

}  // namespace
}  // namespace xa
