#include "shell/private_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/folder_rules.h"
#include "shell/record_writers.h"
#include "shell/scoped_handle.h"
#include "shell/testing/private_security.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

bool IsRandomName(const std::string& name) {
  return name.size() == 32 && name.find_first_not_of("0123456789abcdef") == std::string::npos;
}

uint64_t LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return 0;
  return (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

class PrivateFolderTest : public testing::Test {
 protected:
  TTempFolder root_{"private"};
};

TEST_F(PrivateFolderTest, NamesEveryFolderAfresh) {
  const std::string first = MakePrivateFolder(root_.Path());
  const std::string second = MakePrivateFolder(root_.Path());
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NE(first, second);
  for (const std::string& folder : {first, second}) {
    EXPECT_EQ(FolderPart(folder), root_.Path());
    EXPECT_TRUE(IsRandomName(folder.substr(root_.Path().size() + 1))) << folder;
    EXPECT_TRUE(DirectoryExists(folder)) << folder;
  }
}

TEST_F(PrivateFolderTest, GivesFolderAndFileTheirOwnDacl) {
  const bool kept = SecurityDescriptorIsKept(root_.Path());
  const std::string folder = MakePrivateFolder(root_.Path());
  ASSERT_FALSE(folder.empty());
  const std::string file = folder + "\\run.bat";
  ASSERT_TRUE(WriteNewPrivateFile(file, "echo\r\n"));
  EXPECT_EQ(ReadFileBytes(file), "echo\r\n");
  const struct {
    std::string Path;
    bool Folder;
  } cases[] = {{folder, true}, {file, false}};
  for (const auto& item : cases)
    EXPECT_EQ(PrivateSecurityMismatch(item.Path, item.Folder, kept), "") << item.Path;
}

TEST_F(PrivateFolderTest, NeverOpensWhatIsAlreadyThere) {
  const std::string file = root_.Path() + "\\theirs.bat";
  WriteTextFile(file, "their lines");
  const FILETIME old{0x11112222, 0x01D00000};
  {
    TScopedHandle handle(CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(SetFileTime(handle.Get(), &old, &old, &old));
  }
  const uint64_t written = LastWriteTime(file);
  EXPECT_FALSE(WriteNewPrivateFile(file, "our lines"));
  EXPECT_EQ(ReadFileBytes(file), "their lines");
  EXPECT_EQ(LastWriteTime(file), written);

  const std::string folder = root_.Path() + "\\folder.bat";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_FALSE(WriteNewPrivateFile(folder, "our lines"));
  EXPECT_TRUE(DirectoryExists(folder));
}

TEST_F(PrivateFolderTest, MakesNothingWhereThereIsNoParent) {
  EXPECT_EQ(MakePrivateFolder(root_.Path() + "\\missing"), "");
  EXPECT_EQ(MakePrivateFolder(""), "");
  EXPECT_FALSE(PathExists(root_.Path() + "\\missing"));
}

TEST(PrivateFolderParentTest, IsAnExistingFolder) {
  const std::string parent = PrivateFolderParent();
  EXPECT_TRUE(DirectoryExists(parent)) << parent;
  EXPECT_NE(parent.back(), '\\');
}

}  // namespace
}  // namespace xa
