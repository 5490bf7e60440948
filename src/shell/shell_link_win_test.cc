#include <gtest/gtest.h>

#include "shell/com_apartment.h"
#include "shell/shell_link.h"
#include "shell/testing/shell_link_reader.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

class ShellLinkTest : public testing::Test {
 protected:
  TComApartment apartment_;
  TTempFolder folder_{"shelllink"};
};

TEST_F(ShellLinkTest, StartsWithTheShellsDefaults) {
  TShellLink link;
  EXPECT_EQ(link.ShowCmd, 1);
  EXPECT_EQ(link.IconIndex, -1);
  EXPECT_EQ(link.HotKey, 0);
  EXPECT_TRUE(link.Path.empty() && link.WorkingDirectory.empty() && link.Arguments.empty());
}

TEST_F(ShellLinkTest, WritesPathAndWorkingFolder) {
  ASSERT_TRUE(apartment_.Initialized());
  TShellLink link;
  link.Path = "C:\\Program Files\\Foo\\Readme.rtf";
  link.WorkingDirectory = "C:\\Program Files\\Foo";
  const std::string file = folder_.Path() + "\\Readme.lnk";
  link.Save(file);
  const TShellLinkContents read = ReadShellLink(file);
  ASSERT_TRUE(read.loaded);
  EXPECT_EQ(read.Path, link.Path);
  EXPECT_EQ(read.WorkingDirectory, link.WorkingDirectory);
  EXPECT_EQ(read.Arguments, "");
  EXPECT_EQ(read.Description, "");
  EXPECT_EQ(read.IconLocation, "");
  EXPECT_EQ(read.ShowCmd, 1);
  EXPECT_EQ(read.HotKey, 0);
}

TEST_F(ShellLinkTest, HandsEveryFieldToTheShell) {
  TShellLink link;
  link.Path = "C:\\Tools\\tool.exe";
  link.WorkingDirectory = "C:\\Tools";
  link.Arguments = "/quiet";
  link.Description = "A tool";
  link.IconLocation = "C:\\Tools\\tool.ico";
  link.IconIndex = 2;
  link.HotKey = 0x0241;
  const std::string file = folder_.Path() + "\\Tool.lnk";
  link.Save(file);
  const TShellLinkContents read = ReadShellLink(file);
  ASSERT_TRUE(read.loaded);
  EXPECT_EQ(read.Arguments, "/quiet");
  EXPECT_EQ(read.Description, "A tool");
  EXPECT_EQ(read.IconLocation, "C:\\Tools\\tool.ico");
  EXPECT_EQ(read.IconIndex, 2);
  EXPECT_EQ(read.HotKey, 0x0241);
}

TEST_F(ShellLinkTest, NeverWritesATooLongPathUnderAShorterName) {
  TShellLink link;
  link.Path = "C:\\a.txt";
  const std::string name(300 - folder_.Path().size(), 'n');
  const std::string file = folder_.Path() + "\\" + name + ".lnk";
  link.Save(file);
  EXPECT_FALSE(PathExists(file));
  EXPECT_FALSE(PathExists(file.substr(0, 259)));
  EXPECT_FALSE(PathExists(file.substr(0, 259) + ".lnk"));
}

}  // namespace
}  // namespace xa
