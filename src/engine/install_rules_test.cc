#include <gtest/gtest.h>

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
