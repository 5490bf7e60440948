#include <gtest/gtest.h>

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

}  // namespace
}  // namespace xa
