#include "wizard/wizard_texts.h"

#include <gtest/gtest.h>

#include "package/xa_install.h"
#include "wizard/summary.h"

namespace xa {
namespace {

// A record of `name` with the version major.minor; the rest at its defaults.
struct Record : TXaInstall {
  Record(const char* name, int32_t major, int32_t minor) {
    Clear();
    ProgramName = name;
    VersionMajor = major;
    VersionMinor = minor;
  }
};

TEST(WizardTextsTest, DisplayVersionHasNoLeadingZerosAndNoBuild) {
  Record record("Foo", 2, 10);
  record.VersionBuild = 7;
  EXPECT_EQ(DisplayVersion(record), "Foo v2.10");
  EXPECT_EQ(DisplayVersion(Record("Bar", 0, 5)), "Bar v0.5");
}

TEST(WizardTextsTest, InstallTextsPutNameAndVersionIntoTheirPlaces) {
  const TRoleTexts texts = InstallTexts(Record("Foo", 2, 10));
  EXPECT_EQ(texts.Title, "Install - Foo");
  EXPECT_EQ(texts.LabelStart1, "Welcome to the Foo v2.10 Installation Wizard");
  EXPECT_EQ(texts.LabelStart2,
            "This will install Foo v2.10 on your computer. Please close all MetaTrader "
            "applications before you continue with the installation.<br><br>Click Next to "
            "continue with the installation, or click Cancel to exit.");
  EXPECT_EQ(texts.LabelFinish1, "");
  EXPECT_EQ(texts.LabelFinish2,
            "The wizard has finished installing Foo to your computer. You can now launch the "
            "MetaTrader application to see Foo in action.");
  EXPECT_EQ(texts.LabelProgress3, "");
}

TEST(WizardTextsTest, UninstallTextsBreakTheFinishTextWithRealLineBreaks) {
  const TRoleTexts texts = UninstallTexts(Record("A<b>B", 1, 0));
  EXPECT_EQ(texts.Title, "Uninstall - A<b>B");
  EXPECT_EQ(texts.LabelStart1, "Welcome to the A<b>B v1.0 Uninstallation Wizard");
  EXPECT_EQ(texts.LabelStart2.substr(0, 46), "This will uninstall A<b>B v1.0 from your compu");
  EXPECT_EQ(texts.LabelFinish1, "Uninstallation Complete");
  EXPECT_EQ(texts.LabelFinish2,
            "The wizard has finished uninstalling A<b>B from your computer. You can re-install "
            "the program anytime using the installer we provided.\r\n\r\nClick Finish to "
            "continue.");
  EXPECT_EQ(texts.LabelProgress1, "Uninstallation in Progress");
  EXPECT_EQ(texts.LabelProgress2,
            "Please wait while the wizard is removing files from your computer.");
  EXPECT_EQ(texts.LabelProgress3, "Uninstallation progress ...");
}

TEST(WizardTextsTest, ErrorBoxAddsAFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(ErrorBoxText(u"Stream read error"), u"Stream read error.");
  EXPECT_EQ(ErrorBoxText(u"Done."), u"Done.");
  EXPECT_EQ(ErrorBoxText(u"What?"), u"What?.");
  EXPECT_EQ(ErrorBoxText(u"x (y)"), u"x (y)");
  EXPECT_EQ(ErrorBoxText(u"a-"), u"a-");
  EXPECT_EQ(ErrorBoxText(u"path/"), u"path/.");
  EXPECT_EQ(ErrorBoxText(u""), u"");
}

TEST(SummaryTest, ListsCheckedFoldersAndTheProgramFolders) {
  Record record("Foo", 1, 2);
  record.VersionRelease = 3;
  EXPECT_EQ(SummaryLines(record, {"C:\\A", "C:\\C"}, "C:\\Program Files\\"),
            (std::vector<std::string>{"Program Name", "        Foo v1.2 Release 3", "",
                                      "Target Folder(s)", "        C:\\A", "        C:\\C", "",
                                      "Program Folder", "        C:\\Program Files\\Foo", "",
                                      "Start Menu Folder", "        Foo"}));
}

TEST(SummaryTest, VersionLineShowsBuildAndReleaseOnlyAboveZero) {
  Record record("Foo", 1, 2);
  EXPECT_EQ(SummaryLines(record, {}, "P\\")[1], "        Foo v1.2");
  record.VersionBuild = 4;
  record.VersionRelease = -1;
  EXPECT_EQ(SummaryLines(record, {}, "P\\")[1], "        Foo v1.2 Build 4");
  record.VersionRelease = 5;
  EXPECT_EQ(SummaryLines(record, {}, "P\\")[1], "        Foo v1.2 Build 4 Release 5");
}

TEST(SummaryTest, NoCheckedFolderLeavesTheHeadingFollowedByTheEmptyLine) {
  const std::vector<std::string> lines = SummaryLines(Record("Foo", 1, 0), {}, "P\\");
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[3], "Target Folder(s)");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "Program Folder");
}

}  // namespace
}  // namespace xa
