#include "engine/uninstall_entry.h"

#include <gtest/gtest.h>

#include "package/xa_install.h"

namespace xa {
namespace {

TEST(UninstallEntryTest, VersionAddsBuildAndReleaseWhenGiven) {
  struct Case {
    int32_t major, minor, build, release;
    const char* version;
  };
  const Case cases[] = {
      {2, 10, 0, 0, "2.10"},     {2, 10, 3, 0, "2.10.3"}, {2, 10, 0, 4, "2.10.0.4"},
      {2, 10, 3, 4, "2.10.3.4"}, {1, 0, -5, 0, "1.0"},    {1, 0, -5, 2, "1.0.0.2"},
  };
  for (const Case& c : cases) {
    TXaInstall program;
    program.VersionMajor = c.major;
    program.VersionMinor = c.minor;
    program.VersionBuild = c.build;
    program.VersionRelease = c.release;
    EXPECT_EQ(EntryVersion(program), c.version);
  }
}

TEST(UninstallEntryTest, SizeRoundsUpToWholeKib) {
  EXPECT_EQ(SizeInKib(0), 0u);
  EXPECT_EQ(SizeInKib(1), 1u);
  EXPECT_EQ(SizeInKib(1024), 1u);
  EXPECT_EQ(SizeInKib(1025), 2u);
  EXPECT_EQ(SizeInKib(uint64_t{5} << 40), 0xFFFFFFFFu);
}

TEST(UninstallEntryTest, FullEntryOfAPackageWithPublisherWebsiteAndContact) {
  TXaInstall program;
  program.ProgramName = "Sample Trend Indicator";
  program.VersionMajor = 2;
  program.VersionMinor = 10;
  program.Publisher = "Sample Software";
  program.Website = " www.example.com ";
  program.ContactName = "Jo";
  program.ContactEmail = " jo@example.com ";
  const std::string uninstaller = "C:\\Program Files\\Sample Trend Indicator\\Uninstall.exe";
  const std::vector<TUninstallValue> values = UninstallEntryValues(program, uninstaller, 3000);
  const std::vector<TUninstallValue> expected = {
      {"DisplayName", "Sample Trend Indicator", 0, false},
      {"UninstallString", "\"" + uninstaller + "\"", 0, false},
      {"DisplayIcon", uninstaller, 0, false},
      {"DisplayVersion", "2.10", 0, false},
      {"Publisher", "Sample Software", 0, false},
      {"URLInfoAbout", "http://www.example.com", 0, false},
      {"HelpLink", "mailto:jo@example.com", 0, false},
      {"InstallLocation", "C:\\Program Files\\Sample Trend Indicator", 0, false},
      {"EstimatedSize", "", 3, true},
      {"NoModify", "", 1, true},
      {"NoRepair", "", 1, true},
  };
  ASSERT_EQ(values.size(), expected.size());
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i].Name, expected[i].Name);
    EXPECT_EQ(values[i].Text, expected[i].Text) << expected[i].Name;
    EXPECT_EQ(values[i].Number, expected[i].Number) << expected[i].Name;
    EXPECT_EQ(values[i].IsNumber, expected[i].IsNumber) << expected[i].Name;
  }
}

TEST(UninstallEntryTest, EmptyPublisherWebsiteAndEmailWriteNoValue) {
  TXaInstall program;
  program.ProgramName = "Bare";
  program.Publisher = "  ";
  program.Website = " ";
  program.ContactName = "Nobody";
  const std::vector<TUninstallValue> values = UninstallEntryValues(program, "C:\\P\\U.exe", 0);
  std::vector<std::string> names;
  for (const TUninstallValue& value : values)
    names.push_back(value.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"DisplayName", "UninstallString", "DisplayIcon",
                                             "DisplayVersion", "InstallLocation", "EstimatedSize",
                                             "NoModify", "NoRepair"}));
}

}  // namespace
}  // namespace xa
