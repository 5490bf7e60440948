#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/install_run.h"
#include "engine/self_delete.h"
#include "engine/testing/data_folder_double.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/machine_snapshot.h"
#include "engine/testing/win_test_support.h"
#include "engine/uninstall_run.h"
#include "package/xa_uninstall.h"
#include "shell/com_apartment.h"
#include "shell/record_writers.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Name() {
  return "XA Over Earlier " + std::to_string(GetCurrentProcessId());
}

struct TVersionFile {
  const char* target;
  const char* shortcut;
};

class InstallOverEarlierTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeTwoTerminalDoubles(root_.Path(), &terminal_a_, &terminal_b_));
    // The trader's own Expert Advisor, in folders that must outlive both versions.
    ASSERT_TRUE(CreateDirectoryA((terminal_a_ + "\\MQL4").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((terminal_a_ + "\\MQL4\\Experts").c_str(), nullptr));
    WriteTextFile(terminal_a_ + "\\MQL4\\Experts\\mine.ex4", "the trader's own");
  }

  // Builds and runs the installer of version `major` with `files` into `terminals`.
  void Install(int major,
               const std::vector<TVersionFile>& files,
               const std::vector<std::string>& terminals) {
    TXaInstall package;
    package.ProgramName = Name();
    package.VersionMajor = major;
    if (major == 1) {
      package.ReadmeText = "{\\rtf1 readme}";
      package.Website = "example.com";
    } else {
      package.LicenseText = "{\\rtf1 licence}";
    }
    std::vector<std::string> contents;
    for (const TVersionFile& file : files) {
      TXaInstallFile& entry = package.AddFile();
      entry.TargetPath = file.target;
      entry.ShortcutName = file.shortcut;
      contents.push_back(std::string(file.target) + " v" + std::to_string(major));
    }
    const std::string installer = root_.Path() + "\\setup" + std::to_string(major) + ".exe";
    BuildInstaller(package, contents, installer);
    TXaInstall install;
    install.LoadFromFile(installer);
    install.TerminalFolders = terminals;
    RunInstall(install);
  }

  TComApartment apartment_;
  TTempFolder root_{"over"};
  TInstallCleanup cleanup_{Name()};
  std::string terminal_a_;
  std::string terminal_b_;
};

TEST_F(InstallOverEarlierTest, OneUninstallRemovesBothVersions) {
  const std::vector<std::string> terminals_before =
      SnapshotFolders({terminal_a_, terminal_b_}, false);
  // Kept, dropped and added files, in the program folder, its sub-folders and the terminals.
  Install(1,
          {{"{app}\\keep.txt", ""},
           {"{app}\\Old\\Deep\\dropped.txt", ""},
           {"{app}\\Sub\\both.txt", ""},
           {"{metatrader}\\MQL4\\Experts\\old.ex4", ""},
           {"{metatrader}\\MQL4\\Indicators\\kept.ex4", "Old Tool"}},
          {terminal_a_});
  Install(2,
          {{"{app}\\keep.txt", ""},
           {"{app}\\Sub\\both.txt", ""},
           {"{app}\\New\\added.txt", "Docs\\New Manual"},
           {"{metatrader}\\MQL4\\Indicators\\kept.ex4", ""},
           {"{metatrader}\\MQL4\\Scripts\\added.ex4", ""}},
          {terminal_a_, terminal_b_});
  const std::string app = cleanup_.AppFolder();
  const std::string menu = cleanup_.MenuFolder();
  const std::vector<std::string> installed =
      SnapshotFolders({terminal_a_, terminal_b_, app, menu}, false);
  for (const std::string& line : installed)
    EXPECT_EQ(line.find("~xa"), std::string::npos) << "a kept file outlived the install: " << line;
  EXPECT_TRUE(PathExists(app + "\\Old\\Deep\\dropped.txt")) << "the earlier version's file stays";
  EXPECT_TRUE(PathExists(menu + "\\Old Tool.lnk"));

  const std::string uninstaller = app + "\\Uninstall.exe";
  TXaUninstall uninstall;
  uninstall.LoadFromFile(uninstaller);
  EXPECT_EQ(uninstall.VersionMajor, 2);
  for (const std::string& file :
       {app + "\\Old\\Deep\\dropped.txt", terminal_a_ + "\\MQL4\\Experts\\old.ex4",
        menu + "\\Old Tool.lnk", app + "\\Readme.rtf", menu + "\\ Website.url"}) {
    EXPECT_NE(std::find(uninstall.RecordedFiles.begin(), uninstall.RecordedFiles.end(), file),
              uninstall.RecordedFiles.end())
        << file << " is taken over from the earlier record";
  }
  RunUninstall(uninstall);
  ASSERT_TRUE(SelfDelete(uninstaller, true));
  EXPECT_TRUE(WaitFor([&] { return !PathExists(app); }, 60)) << "the program folder is emptied";
  EXPECT_FALSE(PathExists(menu));
  EXPECT_FALSE(MachineKeyExists(cleanup_.KeyPath()));
  EXPECT_EQ(SnapshotFolders({terminal_a_, terminal_b_}, false), terminals_before);
}

// Both versions also go into terminal A's data folder, which holds files of the terminal's own
// in the folders the versions write into.
TEST_F(InstallOverEarlierTest, OneUninstallRemovesBothVersionsFromADataFolder) {
  TDataFolderDoubles doubles;
  const std::string data = doubles.MakeFor(terminal_a_);
  WriteTextFile(data + "\\MQL4\\Experts\\Own.ex4", "the terminal's own expert");
  WriteTextFile(data + "\\MQL4\\Indicators\\Own.ex4", "the terminal's own indicator");
  WriteTextFile(data + "\\config\\terminal.ini", "the terminal's own settings");
  const std::vector<std::string> before = SnapshotFolders({terminal_a_, data}, false);
  Install(1,
          {{"{app}\\keep.txt", ""},
           {"{metatrader}\\MQL4\\Experts\\old.ex4", ""},
           {"{metatrader}\\MQL4\\Indicators\\kept.ex4", "Kept"},
           {"{metatrader}\\MQL4\\Scripts\\Old\\Deep\\dropped.ex4", ""}},
          {terminal_a_});
  Install(2,
          {{"{app}\\keep.txt", ""},
           {"{metatrader}\\MQL4\\Indicators\\kept.ex4", ""},
           {"{metatrader}\\MQL4\\Scripts\\Old\\both.ex4", ""},
           {"{metatrader}\\MQL4\\Libraries\\New\\added.ex4", ""}},
          {terminal_a_});
  for (const std::string& folder : {terminal_a_, data}) {
    for (const char* file : {"\\MQL4\\Experts\\old.ex4", "\\MQL4\\Scripts\\Old\\Deep\\dropped.ex4",
                             "\\MQL4\\Scripts\\Old\\both.ex4", "\\MQL4\\Libraries\\New\\added.ex4"})
      EXPECT_TRUE(PathExists(folder + file)) << folder + file;
    EXPECT_EQ(ReadFileBytes(folder + "\\MQL4\\Indicators\\kept.ex4"),
              "{metatrader}\\MQL4\\Indicators\\kept.ex4 v2");
  }

  const std::string uninstaller = cleanup_.AppFolder() + "\\Uninstall.exe";
  TXaUninstall uninstall;
  uninstall.LoadFromFile(uninstaller);
  RunUninstall(uninstall);
  ASSERT_TRUE(SelfDelete(uninstaller, true));
  EXPECT_TRUE(WaitFor([&] { return !PathExists(cleanup_.AppFolder()); }, 60));
  EXPECT_FALSE(PathExists(cleanup_.MenuFolder()));
  EXPECT_EQ(SnapshotFolders({terminal_a_, data}, false), before);
}

TEST_F(InstallOverEarlierTest, AnUnreadableOrForeignUninstallerIsIgnored) {
  const std::string app = cleanup_.AppFolder();
  const std::vector<std::pair<std::string, std::string>> earlier = {
      {"not a program at all", "unreadable"},
      {"", "empty"},
  };
  for (const auto& [bytes, what] : earlier) {
    RemoveTree(app);
    ASSERT_TRUE(CreateDirectoryA(app.c_str(), nullptr));
    WriteTextFile(app + "\\Uninstall.exe", bytes);
    WriteTextFile(app + "\\stray.txt", "not ours");
    Install(2, {{"{app}\\keep.txt", ""}}, {});
    TXaUninstall uninstall;
    uninstall.LoadFromFile(app + "\\Uninstall.exe");
    EXPECT_EQ(
        uninstall.RecordedFiles,
        (std::vector<std::string>{app + "\\License.rtf", cleanup_.MenuFolder() + "\\License.lnk",
                                  cleanup_.MenuFolder() + "\\Uninstall.lnk"}))
        << what;
  }
}

}  // namespace
}  // namespace xa
