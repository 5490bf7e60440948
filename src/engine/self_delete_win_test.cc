#include "engine/self_delete.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "shell/folder_rules.h"
#include "shell/record_writers.h"
#include "shell/scoped_handle.h"
#include "shell/testing/private_security.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingRenames[] = "PendingFileRenameOperations";

// The names in `folder`, "." and ".." left out.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE)
    return names;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..")
      names.push_back(name);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

bool IsDigits(const std::string& text, size_t count) {
  return text.size() == count && text.find_first_not_of("0123456789") == std::string::npos;
}

// The paths of the system's list of files to rename or delete at the next restart.
std::vector<std::string> PendingRenames() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return {};
  DWORD size = 0;
  RegQueryValueExA(key, kPendingRenames, nullptr, nullptr, nullptr, &size);
  std::string data(size, '\0');
  RegQueryValueExA(key, kPendingRenames, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                   &size);
  RegCloseKey(key);
  std::vector<std::string> paths;
  for (size_t start = 0; start < data.size();) {
    const size_t end = data.find('\0', start);
    paths.push_back(data.substr(start, end - start));
    start = end == std::string::npos ? data.size() : end + 1;
  }
  return paths;
}

// Takes the pairs (path, new name) whose path lies in `folder` out of that list again.
void ForgetPendingRenames(const std::string& folder) {
  const std::vector<std::string> paths = PendingRenames();
  std::string kept;
  for (size_t i = 0; i + 1 < paths.size(); i += 2) {
    if (paths[i].find(folder) == std::string::npos)
      kept += paths[i] + '\0' + paths[i + 1] + '\0';
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return;
  if (kept.empty()) {
    RegDeleteValueA(key, kPendingRenames);
  } else {
    kept += '\0';
    RegSetValueExA(key, kPendingRenames, 0, REG_MULTI_SZ,
                   reinterpret_cast<const BYTE*>(kept.data()), static_cast<DWORD>(kept.size()));
  }
  RegCloseKey(key);
}

bool IsPendingDeletion(const std::string& path) {
  const std::vector<std::string> paths = PendingRenames();
  for (size_t i = 0; i + 1 < paths.size(); i += 2) {
    const std::string& pending = paths[i];
    if (paths[i + 1].empty() && pending.size() >= path.size() &&
        lstrcmpiA(pending.substr(pending.size() - path.size()).c_str(), path.c_str()) == 0)
      return true;
  }
  return false;
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

  // Makes the folder `name` below the root for the batches' folders and returns its path.
  std::string MakeParent(const std::string& name) {
    const std::string path = root_.Path() + "\\" + name;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    return path;
  }

  TTempFolder root_{"selfdelete"};
};

TEST_F(SelfDeleteTest, RunsEachBatchFromAPrivateFolderOfItsOwn) {
  const bool kept = SecurityDescriptorIsKept(root_.Path());
  const std::string parent = MakeParent("temp");
  const std::vector<std::string> targets = {MakeTarget("First"), MakeTarget("Second")};
  std::deque<TScopedHandle> running;
  for (const std::string& target : targets) {
    // Held open as a running program is, so that the batches wait.
    running.emplace_back(CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(running.back().IsValid());
    ASSERT_TRUE(SelfDeleteBelow(parent, target, true));
  }
  const std::vector<std::string> folders = Names(parent);
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_NE(folders[0], folders[1]);
  for (const std::string& name : folders) {
    const std::string folder = parent + "\\" + name;
    EXPECT_EQ(name.size(), 32u);
    EXPECT_EQ(name.find_first_not_of("0123456789abcdef"), std::string::npos) << name;
    EXPECT_EQ(PrivateSecurityMismatch(folder, true, kept), "") << folder;
    const std::vector<std::string> batches = Names(folder);
    ASSERT_EQ(batches.size(), 1u) << folder;
    EXPECT_TRUE(IsDigits(batches[0].substr(0, 17), 17) && batches[0].substr(17) == ".bat")
        << batches[0];
    EXPECT_EQ(PrivateSecurityMismatch(folder + "\\" + batches[0], false, kept), "");
  }
  running.clear();
  for (const std::string& target : targets)
    EXPECT_TRUE(WaitFor([&] { return !PathExists(FolderPart(target)); }, 60)) << target;
  EXPECT_TRUE(WaitFor([&] { return Names(parent).empty(); }, 60));
}

TEST_F(SelfDeleteTest, QuotesABatchPathWithBlanksAndSigns) {
  // Unquoted, "<root>\a b&(c)\...\<time>.bat" would start "<root>\a.exe" instead of the batch.
  const std::string parent = MakeParent("a b&(c)");
  ASSERT_TRUE(CopyFileA(StubProgramPath().c_str(), (root_.Path() + "\\a.exe").c_str(), FALSE));
  const std::string target = MakeTarget("App");
  ASSERT_TRUE(SelfDeleteBelow(parent, target, true));
  EXPECT_TRUE(WaitFor([&] { return !PathExists(FolderPart(target)); }, 60));
  EXPECT_TRUE(WaitFor([&] { return Names(parent).empty(); }, 60));
}

TEST_F(SelfDeleteTest, LeavesTheFileForTheNextRestartWhereNoFolderCanBeMade) {
  const std::string target = MakeTarget("Later");
  EXPECT_FALSE(SelfDeleteBelow(root_.Path() + "\\missing", target, true));
  EXPECT_TRUE(IsPendingDeletion(target));
  EXPECT_TRUE(IsPendingDeletion(FolderPart(target)));
  ForgetPendingRenames(root_.Path());
  EXPECT_FALSE(IsPendingDeletion(target));
  EXPECT_TRUE(PathExists(target));
  EXPECT_FALSE(PathExists(root_.Path() + "\\missing"));
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
