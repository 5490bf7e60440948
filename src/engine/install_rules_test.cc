#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/install_rules.h"
#include "package/errors.h"

namespace xa {
namespace {

TEST(ExpectedInstallStepsTest, CountsFilesPerTerminalAndOverrides) {
  TXaInstall install;
  EXPECT_EQ(ExpectedInstallSteps(install), 10);
  install.AddFile();
  install.AddFile();
  install.TerminalFolders = {"A", "B"};
  EXPECT_EQ(ExpectedInstallSteps(install), 14);
  install.SettingsOverride = "1";
  EXPECT_EQ(ExpectedInstallSteps(install), 16);
  install.TerminalFolders.clear();
  EXPECT_EQ(ExpectedInstallSteps(install), 10);
}

// Gives `install` two files stored back to back from offset 1000: 32 and 48 bytes.
void AddTwoFiles(TXaInstall& install) {
  TXaInstallFile& first = install.AddFile();
  first.Offset = 1000;
  first.Size = 32;
  TXaInstallFile& second = install.AddFile();
  second.Offset = 1032;
  second.Size = 48;
}

void ExpectInvalidFormat(const TXaInstall& install, int64_t executable_size, const char* what) {
  try {
    CheckPackageContents(install, executable_size);
    ADD_FAILURE() << what << ": accepted";
  } catch (const EStreamError& error) {
    EXPECT_STREQ(error.what(), kInvalidFileFormat) << what;
  }
}

TEST(CheckPackageContentsTest, AcceptsContentsInsideTheExecutable) {
  TXaInstall install;
  EXPECT_NO_THROW(CheckPackageContents(install, 0));
  AddTwoFiles(install);
  EXPECT_NO_THROW(CheckPackageContents(install, 1080));
  EXPECT_NO_THROW(CheckPackageContents(install, 5000));
}

TEST(CheckPackageContentsTest, RefusesCutAndDamagedPackages) {
  TXaInstall install;
  AddTwoFiles(install);
  ExpectInvalidFormat(install, 1079, "last content one byte short");
  ExpectInvalidFormat(install, 1010, "cut inside the first content");
  ExpectInvalidFormat(install, 500, "cut before the contents");
  install.CutShort = true;
  ExpectInvalidFormat(install, 5000, "payload without its end marker");
  install.CutShort = false;
  install.Files[1]->Offset = -16;
  ExpectInvalidFormat(install, 5000, "negative offset");
  install.Files[1]->Offset = 0x7FFFFFF0;
  ExpectInvalidFormat(install, int64_t{0x80000000}, "end past 2 GiB, no overflow");
  install.Files[1]->Offset = 1032;
  for (const int32_t size : {0, -16, 17, 8}) {
    install.Files[0]->Size = size;
    ExpectInvalidFormat(install, 5000, "size not a positive multiple of 16");
  }
}

TEST(RecordShortcutFoldersTest, SubFoldersGoDeepestFirstBeforeTheMenuFolder) {
  std::vector<TInstalledItem> items = {
      {"P\\App", kInstalledFolder}, {"M\\App", kInstalledFolder}, {"P\\App\\a.txt", 0}};
  RecordShortcutFolders(items, "M\\App",
                        {"Plain", "Docs\\Manual", "Docs\\Guides\\Deep\\One", "docs\\Other",
                         "Tools\\Run", "Docs\\Guides\\Two"});
  const std::vector<std::string> expected = {"P\\App",
                                             "M\\App\\Docs\\Guides\\Deep",
                                             "M\\App\\Docs\\Guides",
                                             "M\\App\\Docs",
                                             "M\\App\\Tools",
                                             "M\\App",
                                             "P\\App\\a.txt"};
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].Path, expected[i]) << i;
    EXPECT_EQ(items[i].Mark, i + 1 == items.size() ? 0 : kInstalledFolder) << i;
  }
}

TEST(RecordShortcutFoldersTest, PlainNamesRecordNothing) {
  std::vector<TInstalledItem> items = {{"M\\App", kInstalledFolder}};
  RecordShortcutFolders(items, "M\\App", {"Manual", "Read me"});
  EXPECT_EQ(items.size(), 1u);
  RecordShortcutFolders(items, "M\\Other", {"Sub\\Manual"});
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].Path, "M\\Other\\Sub") << "appended without the menu folder";
}

TEST(FoldersBelowTest, ListsTheFoldersBetweenTheParentAndThePathDeepestFirst) {
  EXPECT_EQ(FoldersBelow("P\\App", "P\\App\\Docs\\Deep\\m.rtf"),
            (std::vector<std::string>{"P\\App\\Docs\\Deep", "P\\App\\Docs"}));
  EXPECT_EQ(FoldersBelow("P\\App", "p\\app\\Docs\\m.rtf"), std::vector<std::string>{"p\\app\\Docs"})
      << "case ignored";
  EXPECT_TRUE(FoldersBelow("P\\App", "P\\App\\m.rtf").empty());
  EXPECT_TRUE(FoldersBelow("P\\App", "P\\Apps\\Docs\\m.rtf").empty()) << "a sibling";
  EXPECT_TRUE(FoldersBelow("P\\App", "T\\MQL4\\e.ex4").empty());
  EXPECT_TRUE(FoldersBelow("P\\App", "P\\App\\\\m.rtf").empty()) << "no empty part";
}

TEST(RecordTargetFoldersTest, CreatedFoldersGoDeepestFirstBeforeTheAppFolder) {
  std::vector<TInstalledItem> items = {
      {"P\\App", kInstalledFolder}, {"M\\App", kInstalledFolder}, {"P\\App\\Docs\\a.txt", 0}};
  // As collected file by file: a later file may create a folder below an earlier one's.
  RecordTargetFolders(items, "P\\App", "M\\App",
                      {"P\\App\\Docs", "P\\App", "T\\MQL4\\Experts", "T\\MQL4", "p\\app\\docs",
                       "P\\App\\Docs\\Deep", "m\\app"});
  const std::vector<std::string> expected = {
      "P\\App\\Docs\\Deep", "P\\App\\Docs", "T\\MQL4\\Experts", "T\\MQL4", "P\\App", "M\\App",
      "P\\App\\Docs\\a.txt"};
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i)
    EXPECT_EQ(items[i].Path, expected[i]) << i;
}

struct NameCase {
  const char* name;
  bool usable;
};

class ProgramNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(ProgramNameTest, RefusesNamesThatWouldNameAnotherKey) {
  EXPECT_EQ(IsUsableProgramName(GetParam().name), GetParam().usable);
  if (GetParam().usable) {
    EXPECT_EQ(
        UninstallKeyPath(GetParam().name),
        std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + GetParam().name);
  } else {
    EXPECT_THROW(UninstallKeyPath(GetParam().name), Exception);
  }
}

INSTANTIATE_TEST_SUITE_P(Names,
                         ProgramNameTest,
                         testing::Values(NameCase{"Foo", true},
                                         NameCase{"Sample Trend Indicator 2", true},
                                         NameCase{"Pub\\Tool", true},
                                         NameCase{" Foo ", true},
                                         NameCase{"", false},
                                         NameCase{"   ", false},
                                         NameCase{"\\", false},
                                         NameCase{" \\ \\", false},
                                         NameCase{"\t", false},
                                         NameCase{"Foo\\", false},
                                         NameCase{"\\Foo", false},
                                         NameCase{"Foo\\\\Bar", false}));

TEST(CheckInstallableTest, RefusesMissingFolders) {
  EXPECT_NO_THROW(CheckInstallable("Foo", "C:\\Program Files", "C:\\Menu"));
  try {
    CheckInstallable("Foo", "", "C:\\Menu");
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), kNoProgramFilesFolder);
  }
  try {
    CheckInstallable("Foo", "C:\\Program Files", "");
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), kNoProgramsMenuFolder);
  }
  try {
    CheckInstallable(" ", "C:\\Program Files", "C:\\Menu");
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), kUnusableProgramName);
  }
}

struct UrlCase {
  const char* website;
  const char* url;
};

class WebsiteUrlTest : public testing::TestWithParam<UrlCase> {};

TEST_P(WebsiteUrlTest, AddsHttpOnlyWithoutAScheme) {
  EXPECT_EQ(WebsiteUrl(GetParam().website), GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(
    Websites,
    WebsiteUrlTest,
    testing::Values(UrlCase{"example.com", "http://example.com"},
                    UrlCase{"  example.com/a \r\n", "http://example.com/a"},
                    UrlCase{"https://example.com", "https://example.com"},
                    UrlCase{"http://example.com", "http://example.com"},
                    UrlCase{"see http://example.com", "see http://example.com"},
                    UrlCase{"ftp://files.example.com", "ftp://files.example.com"},
                    UrlCase{"", ""},
                    UrlCase{" \t ", ""}));

TEST(ContactUrlTest, UsesTheNameWhenThereIsOne) {
  EXPECT_EQ(ContactUrl("Ann", "ann@example.com"), "mailto:Ann <ann@example.com>");
  EXPECT_EQ(ContactUrl("", "ann@example.com"), "mailto:ann@example.com");
  EXPECT_EQ(ContactUrl(" Ann", " ann@example.com"), "mailto: Ann < ann@example.com>");
  EXPECT_EQ(ContactUrl("Ann", "   "), "");
  EXPECT_EQ(ContactUrl("Ann", ""), "");
}

TEST(TrimBlanksTest, RemovesBlanksAndControlCharacters) {
  EXPECT_EQ(TrimBlanks(" \t\r\nab c\x01 "), "ab c");
  EXPECT_EQ(TrimBlanks("\xE9"), "\xE9");
  EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
}  // namespace xa
