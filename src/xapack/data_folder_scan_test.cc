#include "xapack/data_folder_scan.h"

#include <gtest/gtest.h>

#include "package/testing/temp_folder.h"
#include "xapack/os_services.h"
#include "xapack/testing/package_fixture.h"

namespace xa::xapack {
namespace {

TEST(ExtraRoleOfTest, KnowsTheUsualNames) {
  struct Case {
    const char* name;
    ExtraRole role;
  };
  const Case cases[] = {
      {"License.rtf", ExtraRole::kLicense},    {"LICENCE.TXT", ExtraRole::kLicense},
      {"eula.rtf", ExtraRole::kLicense},       {"Read Me.txt", ExtraRole::kReadme},
      {"read_me.rtf", ExtraRole::kReadme},     {"What's New.rtf", ExtraRole::kWhatsNew},
      {"whats-new.txt", ExtraRole::kWhatsNew}, {"Changelog.txt", ExtraRole::kWhatsNew},
      {"banner.jpg", ExtraRole::kBanner},      {"Banner.JPEG", ExtraRole::kBanner},
      {"Readme.md", ExtraRole::kNone},         {"Readme.pdf", ExtraRole::kNone},
      {"banner.png", ExtraRole::kNone},        {"License", ExtraRole::kNone},
      {"banner.rtf", ExtraRole::kNone},        {"MyReadme.txt", ExtraRole::kNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExtraRoleOf(c.name), c.role) << c.name;
}

class DataFolderScanTest : public ::testing::Test {
 protected:
  DataFolderScanTest() : root_(PathToUtf8(folder_.Path()).value()) {}

  // Writes `bytes` as the file `relative` (UTF-8, "/" between names) below the folder.
  void Put(const std::string& relative, const std::string& bytes) const {
    testing::WriteFileAtUtf8Path(root_ + "/" + relative, bytes);
  }

  xa::testing::TempFolder folder_;
  std::string root_;
};

TEST_F(DataFolderScanTest, PlacesTerminalFilesAndDocumentsAndNamesTheRest) {
  const char* terminal_files[] = {
      "config/c.ini",
      "history/h.hst",
      "MQL4/Experts/Trend EA.ex4",
      "MQL4/Files/f.csv",
      "MQL4/Files/Readme.txt",
      "MQL4/Include/i.mqh",
      "MQL4/Indicators/Caf\xC3\xA9 \xE2\x82\xAC.ex4",
      "MQL4/Libraries/l.dll",
      "MQL4/Presets/p.set",
      "MQL4/Scripts/s.ex4",
      "profiles/default/chart01.chr",
      "sounds/s.wav",
      "templates/t.tpl",
      "tester/t.ini",
  };
  for (const char* file : terminal_files)
    Put(file, file);
  Put("MQL4/Experts/{app}.ex4", "macro");
  Put("MQL4/Experts/\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.ex4", "cyrillic");
  Put("MQL4/Logs/x.log", "log");
  Put("notes.txt", "notes");
  Put("Readme.txt", "Read me first");
  Put("docs/Readme.rtf", "{\\rtf1 second}");
  Put("License.rtf", "not rtf");
  Put("docs/EULA.txt", "Use freely");
  Put("What's New.txt", "\xFF not UTF-8");
  Put("art/banner.jpg", testing::SampleBanner());

  const DataFolderScan scan = ScanDataFolder(root_);
  ASSERT_EQ(scan.files.size(), std::size(terminal_files));
  for (size_t i = 0; i < scan.files.size(); ++i)
    EXPECT_EQ(scan.files[i].source, terminal_files[i]);
  EXPECT_EQ(scan.files[2].target, "{metatrader}\\MQL4\\Experts\\Trend EA.ex4");
  EXPECT_EQ(scan.files[6].target, "{metatrader}\\MQL4\\Indicators\\Caf\xC3\xA9 \xE2\x82\xAC.ex4");
  EXPECT_EQ(scan.files[13].target, "{metatrader}\\tester\\t.ini");
  EXPECT_EQ(scan.readme, "Readme.txt");
  EXPECT_EQ(scan.license, "docs/EULA.txt");
  EXPECT_EQ(scan.whats_new, "");
  EXPECT_EQ(scan.banner, "art/banner.jpg");

  const std::pair<std::string, std::string> skipped[] = {
      {"docs/Readme.rtf", "is a second readme; the manifest names \"Readme.txt\""},
      {"License.rtf", "is not an RTF document"},
      {"MQL4/Experts/{app}.ex4", "holds a second macro"},
      {"MQL4/Experts/\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.ex4", "cannot hold"},
      {"MQL4/Logs/x.log", "lies outside the folders a package installs into"},
      {"notes.txt", "lies outside the folders a package installs into"},
      {"What's New.txt", "is not UTF-8 text"},
  };
  ASSERT_EQ(scan.skipped.size(), std::size(skipped));
  for (size_t i = 0; i < scan.skipped.size(); ++i) {
    EXPECT_EQ(scan.skipped[i].source, skipped[i].first);
    EXPECT_NE(scan.skipped[i].reason.find(skipped[i].second), std::string::npos)
        << scan.skipped[i].reason;
  }
}

#ifndef _WIN32
// Names that only POSIX file systems hold: the manifest reader would refuse them or, with a
// backslash, install the file elsewhere.
TEST_F(DataFolderScanTest, SkipsNamesWindowsCannotHold) {
  Put("MQL4/Experts/a:b.ex4", "colon");
  Put("MQL4/Experts/sub\\c.ex4", "backslash");
  Put("MQL4/Experts/d\xFF.ex4", "not UTF-8");
  Put("MQL4/Experts/e.ex4", "e");
  Put("MQL4/experts/E.ex4", "the same target on Windows");
  const DataFolderScan scan = ScanDataFolder(root_);
  ASSERT_EQ(scan.files.size(), 1u);
  EXPECT_EQ(scan.files[0].source, "MQL4/Experts/e.ex4");
  ASSERT_EQ(scan.skipped.size(), 4u);
  EXPECT_NE(scan.skipped[0].reason.find("Windows does not allow (\"a:b.ex4\")"), std::string::npos);
  EXPECT_NE(scan.skipped[1].reason.find("not UTF-8"), std::string::npos);
  EXPECT_EQ(scan.skipped[2].reason,
            "has the target of \"MQL4/Experts/e.ex4\" (Windows ignores case)");
  EXPECT_NE(scan.skipped[3].reason.find("(\"sub\\c.ex4\")"), std::string::npos);
}
#endif

}  // namespace
}  // namespace xa::xapack
