#include "package/role.h"

#include <gtest/gtest.h>

namespace xa {
namespace {

struct RoleCase {
  const char* path;
  bool uninstall;
};

TEST(RoleTest, OnlyTheFileNameUninstallExeInAnyAsciiCaseSelectsUninstall) {
  const RoleCase cases[] = {
      {"C:\\Program Files\\Sample\\Uninstall.exe", true},
      {"C:\\X\\UNINSTALL.EXE", true},
      {"C:\\X\\Uninstall.EXE", true},
      {"uninstall.exe", true},
      {"D:Uninstall.exe", true},
      {"C:\\Uninstall.exe\\Setup.exe", false},
      {"C:\\X\\Uninstall.exe.bak", false},
      {"C:\\X\\Uninstall (2).exe", false},
      {"C:\\X\\Uninstall.com", false},
      {"C:\\X\\Setup.exe", false},
      {"C:\\X\\Uninstall.ex\xc9", false},
      {"", false},
  };
  for (const RoleCase& c : cases)
    EXPECT_EQ(IsUninstallRole(c.path), c.uninstall) << c.path;
}

TEST(RoleTest, FileNamePartDropsTheFolder) {
  EXPECT_EQ(FileNamePart("C:\\a\\b.exe"), "b.exe");
  EXPECT_EQ(FileNamePart("b.exe"), "b.exe");
  EXPECT_EQ(FileNamePart("C:\\a\\"), "");
}

}  // namespace
}  // namespace xa
