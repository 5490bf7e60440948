#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "shell/folder_rules.h"

namespace xa {
namespace {

struct FolderCase {
  const char* path;
  const char* folder_part;
  const char* with_delimiter;
};

class FolderPartTest : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderPartTest, SplitsAtTheLastBackslash) {
  EXPECT_EQ(FolderPart(GetParam().path), GetParam().folder_part);
  EXPECT_EQ(FilePathWithDelimiter(GetParam().path), GetParam().with_delimiter);
}

INSTANTIATE_TEST_SUITE_P(Paths,
                         FolderPartTest,
                         testing::Values(FolderCase{"C:\\Program Files\\Foo\\Readme.rtf",
                                                    "C:\\Program Files\\Foo",
                                                    "C:\\Program Files\\Foo\\"},
                                         FolderCase{"C:\\Readme.rtf", "C:\\", "C:\\"},
                                         FolderCase{"C:\\Foo\\", "C:\\Foo", "C:\\Foo\\"},
                                         FolderCase{"Readme.rtf", "", ""},
                                         FolderCase{"", "", ""},
                                         FolderCase{"\\\\server\\share\\a.txt", "\\\\server\\share",
                                                    "\\\\server\\share\\"}));

TEST(ExcludeTrailingDelimiterTest, RemovesOneBackslashOnly) {
  EXPECT_EQ(ExcludeTrailingDelimiter("C:\\Foo\\"), "C:\\Foo");
  EXPECT_EQ(ExcludeTrailingDelimiter("C:\\Foo\\\\"), "C:\\Foo\\");
  EXPECT_EQ(ExcludeTrailingDelimiter("C:\\Foo"), "C:\\Foo");
  EXPECT_EQ(ExcludeTrailingDelimiter(""), "");
}

TEST(MissingFoldersTest, ListsTheFolderAndItsMissingParentsDeepestFirst) {
  const std::set<std::string> existing = {"C:\\Program Files", "C:\\MT4"};
  const auto exists = [&existing](const std::string& path) { return existing.count(path) > 0; };
  EXPECT_EQ(MissingFolders("C:\\Program Files\\App\\Docs\\Deep", exists),
            (std::vector<std::string>{"C:\\Program Files\\App\\Docs\\Deep",
                                      "C:\\Program Files\\App\\Docs", "C:\\Program Files\\App"}));
  EXPECT_EQ(MissingFolders("C:\\MT4\\MQL4\\", exists), std::vector<std::string>{"C:\\MT4\\MQL4"})
      << "a trailing backslash names the same folder";
  EXPECT_TRUE(MissingFolders("C:\\MT4", exists).empty());
  EXPECT_EQ(MissingFolders("D:\\New\\Sub", exists),
            (std::vector<std::string>{"D:\\New\\Sub", "D:\\New"}))
      << "a drive root is never listed";
  EXPECT_TRUE(MissingFolders("", exists).empty());
}

}  // namespace
}  // namespace xa
