#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/install_rules.h"
#include "engine/install_run.h"
#include "engine/settings_override.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "package/errors.h"
#include "shell/com_apartment.h"
#include "shell/record_writers.h"
#include "shell/scoped_handle.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Name() {
  return "XA Install Test " + std::to_string(GetCurrentProcessId());
}

// Holds a file open with no sharing, as a running program holds its files.
TScopedHandle HoldOpen(const std::string& path) {
  return TScopedHandle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
}

class InstallRunTest : public testing::Test {
 protected:
  void SetUp() override {
    terminal_ = root_.Path() + "\\Terminal";
    ASSERT_TRUE(CreateDirectoryA(terminal_.c_str(), nullptr));
    ASSERT_TRUE(CopyTerminalDouble(terminal_));
    package_.ProgramName = Name();
  }

  void AddFile(const std::string& target, const std::string& content) {
    package_.AddFile().TargetPath = target;
    contents_.push_back(content);
  }

  // Builds the installer, loads it by path and runs it into `terminals`.
  void Install(const std::vector<std::string>& terminals) {
    BuildInstaller(package_, contents_, installer_);
    install_.LoadFromFile(installer_);
    install_.TerminalFolders = terminals;
    install_.OnProgress = RecordProgress(log_);
    RunInstall(install_);
  }

  // Runs Install and returns the message it raised.
  std::string InstallError(const std::vector<std::string>& terminals) {
    try {
      Install(terminals);
    } catch (const Exception& error) {
      return error.what();
    }
    return "no error";
  }

  TComApartment apartment_;
  TTempFolder root_{"install"};
  TInstallCleanup cleanup_{Name()};
  std::string terminal_;
  std::string installer_ = root_.Path() + "\\setup.exe";
  TXaInstall package_;
  std::vector<std::string> contents_;
  TXaInstall install_;
  TProgressLog log_;
};

TEST_F(InstallRunTest, RefusesAnUnusableProgramNameBeforeWritingAnything) {
  for (const char* name : {"", " \\ "}) {
    package_.ProgramName = name;
    AddFile("{metatrader}\\e.ex4", "e");
    EXPECT_EQ(InstallError({terminal_}), kUnusableProgramName);
    EXPECT_TRUE(install_.InstalledItems.empty());
    EXPECT_TRUE(log_.empty());
    EXPECT_FALSE(PathExists(terminal_ + "\\e.ex4"));
  }
  EXPECT_TRUE(MachineKeyExists(kUninstallKey));
}

// An install over an earlier one finds the program's own sub-folders there already; it still
// records them, so that its uninstall empties the program folder. A terminal's folders that
// were there before are recorded only as the earlier install's record lists them.
TEST_F(InstallRunTest, RecordsTheProgramsSubFoldersAlsoOverAnEarlierInstall) {
  AddFile("{app}\\Docs\\Deep\\manual.rtf", "m");
  AddFile("{metatrader}\\MQL4\\Experts\\e.ex4", "e");
  Install({terminal_});
  TXaInstall again;
  again.LoadFromFile(installer_);
  again.TerminalFolders = {terminal_};
  RunInstall(again);
  const std::string app = cleanup_.AppFolder();
  for (const TXaInstall* run : {&install_, &again}) {
    std::vector<std::string> folders;
    for (const TInstalledItem& item : run->InstalledItems) {
      if (item.Mark == kInstalledFolder)
        folders.push_back(item.Path);
    }
    const bool first = run == &install_;
    const std::vector<std::string> terminal = {terminal_ + "\\MQL4\\Experts", terminal_ + "\\MQL4"};
    // Deepest first; the terminal folder lies deeper than Program Files here. The install over
    // it takes them over from the earlier record, after the folders of its own.
    std::vector<std::string> expected;
    if (first)
      expected = terminal;
    expected.insert(expected.end(), {app + "\\Docs\\Deep", app + "\\Docs"});
    expected.insert(expected.end(), {app, cleanup_.MenuFolder()});
    if (!first)
      expected.insert(expected.end(), terminal.begin(), terminal.end());
    EXPECT_EQ(folders, expected) << (first ? "first install" : "install over it");
  }
}

TEST_F(InstallRunTest, WithoutTerminalsCopiesNoPackageFile) {
  AddFile("{app}\\a.txt", "a");
  Install({});
  ASSERT_EQ(install_.InstalledItems.size(), 3u);
  EXPECT_EQ(install_.InstalledItems[0].Path, cleanup_.AppFolder());
  EXPECT_EQ(install_.InstalledItems[1].Path, cleanup_.MenuFolder());
  EXPECT_EQ(install_.InstalledItems[2].Path, cleanup_.MenuFolder() + "\\Uninstall.lnk");
  EXPECT_FALSE(PathExists(cleanup_.AppFolder() + "\\a.txt"));
  EXPECT_TRUE(PathExists(cleanup_.AppFolder() + "\\Uninstall.exe"));
  EXPECT_EQ(install_.StepsExpected, 10);
  ASSERT_EQ(log_.size(), 3u);
  EXPECT_EQ(log_.back(), std::make_pair(std::string("Done."), 30));
}

TEST_F(InstallRunTest, StopsAtATargetHeldOpenAndUndoesWhatItWrote) {
  AddFile("{metatrader}\\first.ex4", "first");
  AddFile("{metatrader}\\second.ex4", "second");
  WriteTextFile(terminal_ + "\\second.ex4", "old");
  TScopedHandle holder = HoldOpen(terminal_ + "\\second.ex4");
  ASSERT_TRUE(holder.IsValid());
  const std::string error = InstallError({terminal_});
  EXPECT_EQ(error.rfind("Cannot create file \"" + terminal_ + "\\second.ex4\". ", 0), 0u) << error;
  holder.Reset();
  EXPECT_FALSE(PathExists(terminal_ + "\\first.ex4"));
  EXPECT_EQ(ReadFileBytes(terminal_ + "\\second.ex4"), "old");
  EXPECT_FALSE(PathExists(cleanup_.AppFolder()));
  ASSERT_FALSE(install_.InstalledItems.empty());
  EXPECT_EQ(install_.InstalledItems.back().Path, terminal_ + "\\second.ex4");
  const TProgressLog expected = {{"Copying file " + terminal_ + "\\first.ex4 ...", 8},
                                 {"Copying file " + terminal_ + "\\second.ex4 ...", 17},
                                 {kUndoingInstall, 17},
                                 {kInstallUndone, 17}};
  EXPECT_EQ(log_, expected) << "the undo reports without a step";
}

TEST_F(InstallRunTest, StopsAtAReadOnlyTargetAndUndoesWhatItWrote) {
  if (!ReadOnlyAttributeIsEnforced(terminal_))
    GTEST_SKIP() << "the read-only attribute does not stop writes here";
  AddFile("{metatrader}\\first.ex4", "first");
  AddFile("{metatrader}\\second.ex4", "second");
  WriteTextFile(terminal_ + "\\second.ex4", "old");
  ASSERT_TRUE(SetFileAttributesA((terminal_ + "\\second.ex4").c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string error = InstallError({terminal_});
  EXPECT_EQ(error.rfind("Cannot create file \"" + terminal_ + "\\second.ex4\". ", 0), 0u) << error;
  EXPECT_FALSE(PathExists(terminal_ + "\\first.ex4"));
  EXPECT_EQ(ReadFileBytes(terminal_ + "\\second.ex4"), "old");
}

TEST_F(InstallRunTest, StopsAtSettingsHeldOpenAndLeavesThemAlone) {
  AddFile("{metatrader}\\e.ex4", "e");
  package_.SettingsOverride = "11111111";
  const std::string settings = ExpertsIniPath(terminal_);
  ASSERT_TRUE(CreateDirectoryA((terminal_ + "\\config").c_str(), nullptr));
  WriteTextFile(settings, "held");
  TScopedHandle holder = HoldOpen(settings);
  ASSERT_TRUE(holder.IsValid());
  const std::string error = InstallError({terminal_});
  EXPECT_EQ(error.rfind("Cannot open file \"" + settings + "\". ", 0), 0u) << error;
  holder.Reset();
  EXPECT_EQ(ReadFileBytes(settings), "held");
  EXPECT_FALSE(PathExists(terminal_ + "\\e.ex4"));
  ASSERT_EQ(log_.size(), 4u);
  EXPECT_EQ(log_[1].first, "Overriding MetaTrader settings in " + terminal_ + " ...");
  EXPECT_EQ(log_.back().first, kInstallUndone);
}

TEST_F(InstallRunTest, RefusesAContentCutShortBeforeWritingAnything) {
  AddFile("{metatrader}\\whole.ex4", "whole");
  AddFile("{metatrader}\\cut.ex4", std::string(100, 'c'));
  BuildInstaller(package_, contents_, installer_);
  const std::string bytes = ReadFileBytes(installer_);
  WriteTextFile(installer_, bytes.substr(0, bytes.size() - 20));
  install_.LoadFromFile(installer_);
  install_.TerminalFolders = {terminal_};
  try {
    RunInstall(install_);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), kInvalidFileFormat);
  }
  EXPECT_FALSE(PathExists(terminal_ + "\\whole.ex4"));
  EXPECT_FALSE(PathExists(cleanup_.AppFolder()));
  EXPECT_FALSE(PathExists(cleanup_.MenuFolder()));
  EXPECT_TRUE(log_.empty()) << "no step was reported";
}

TEST_F(InstallRunTest, WritesTheWebsiteWithItsOwnScheme) {
  package_.Publisher = "";
  package_.Website = "ftp://files.example.com";
  package_.ContactEmail = "  ";
  Install({terminal_});
  const std::string menu = cleanup_.MenuFolder();
  EXPECT_EQ(ReadFileBytes(menu + "\\ Website.url"),
            "[InternetShortcut]\r\nURL=ftp://files.example.com\r\n\r\n");
  EXPECT_FALSE(PathExists(menu + "\\Contact Email.url"));
}

}  // namespace
}  // namespace xa
