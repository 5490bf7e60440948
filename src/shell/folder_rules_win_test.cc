#include <gtest/gtest.h>

#include <cstdio>

#include "package/errors.h"
#include "shell/folder_rules.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

TEST(ForceDirectoriesTest, CreatesEveryMissingParent) {
  TTempFolder root("force");
  const std::string deep = root.Path() + "\\a\\b b\\c";
  ForceDirectories(deep + "\\");
  EXPECT_TRUE(PathExists(deep));
  ForceDirectories(deep);
  EXPECT_TRUE(PathExists(deep));
}

TEST(ForceDirectoriesTest, StopsQuietlyAtDrivesAndShortPaths) {
  EXPECT_NO_THROW(ForceDirectories("C:\\"));
  EXPECT_NO_THROW(ForceDirectories("C:"));
  EXPECT_NO_THROW(ForceDirectories("\\"));
}

TEST(ForceDirectoriesTest, LeavesAFolderItCannotCreateToTheNextWrite) {
  TTempFolder root("forcefile");
  const std::string file = root.Path() + "\\file";
  FILE* handle = fopen(file.c_str(), "wb");
  ASSERT_NE(handle, nullptr);
  fclose(handle);
  ForceDirectories(file + "\\sub");
  EXPECT_FALSE(PathExists(file + "\\sub"));
}

TEST(ForceDirectoriesTest, RefusesAnEmptyPath) {
  try {
    ForceDirectories("");
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Unable to create directory");
  }
}

}  // namespace
}  // namespace xa
