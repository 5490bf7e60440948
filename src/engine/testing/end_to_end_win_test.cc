#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/install_run.h"
#include "engine/self_delete.h"
#include "engine/settings_override.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "engine/uninstall_run.h"
#include "package/record_location.h"
#include "package/xa_uninstall.h"
#include "shell/com_apartment.h"
#include "shell/shell_link.h"
#include "shell/testing/shell_link_reader.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Name() {
  return "XA End To End " + std::to_string(GetCurrentProcessId());
}

// The 32-bit little-endian value at `offset` of `bytes`.
uint32_t PointerAt(const std::string& bytes, size_t offset) {
  uint32_t pointer = 0;
  for (size_t i = 4; i-- > 0;)
    pointer = (pointer << 8) | static_cast<uint8_t>(bytes.at(offset + i));
  return pointer;
}

uint32_t PointerAt136(const std::string& bytes) {
  return PointerAt(bytes, 136);
}

class EndToEndTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeTwoTerminalDoubles(root_.Path(), &terminal_a_, &terminal_b_));
    // Terminal B already has settings, with bytes after the record that must survive.
    ASSERT_TRUE(CreateDirectoryA((terminal_b_ + "\\config").c_str(), nullptr));
    for (size_t i = 0; i < kExpertsRecordSize; ++i)
      old_settings_ += static_cast<char>(0x40 + i % 50);
    old_settings_ += "tail";
    FILE* file = fopen(ExpertsIniPath(terminal_b_).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fwrite(old_settings_.data(), 1, old_settings_.size(), file);
    fclose(file);
  }

  void AddFile(const std::string& target,
               const std::string& content,
               const std::string& shortcut,
               uint64_t time) {
    TXaInstallFile& file = package_.AddFile();
    file.TargetPath = target;
    file.ShortcutName = shortcut;
    file.CreationTime = time;
    file.LastWriteTime = time + 0x123456789ull;
    contents_.push_back(content);
  }

  void MakePackage() {
    package_.ProgramName = Name();
    package_.VersionMajor = 2;
    package_.VersionMinor = 5;
    package_.Publisher = "XA Tests";
    package_.Website = " https://example.com/xa ";
    package_.ContactName = "Ann";
    package_.ContactEmail = "ann@example.com";
    package_.ReadmeText = "{\\rtf1 readme}\n";
    package_.LicenseText = "{\\rtf1 licence}";
    package_.WhatsNewText = "{\\rtf1 new\\par}\r\n";
    package_.SettingsOverride = "1 0 1";
    for (size_t i = 0; i < package_.ContentKey.size(); ++i)
      package_.ContentKey[i] = static_cast<uint8_t>(0x31 * i + 5);
    std::string binary;
    for (int i = 0; i < 100; ++i)
      binary += static_cast<char>(i * 13);
    AddFile("{app}\\a.txt", "application file\r\n", "App File", 0x01D5000011112222ull);
    AddFile("{metatrader}\\experts\\e.ex4", binary, "", 0x01D6000033334444ull);
    AddFile("{MetaTrader}\\experts\\indicators\\i.ex4", std::string(32, 'i'), "Indicator",
            0x01D7000055556666ull);
  }

  std::string Uninstaller() const { return app_ + "\\Uninstall.exe"; }

  void CheckCopies() {
    // Every copied file: its bytes and its three times.
    const std::vector<std::pair<std::string, size_t>> copies = {{app_ + "\\a.txt", 0},
                                                                {a_ + "e.ex4", 1},
                                                                {a_ + "indicators\\i.ex4", 2},
                                                                {b_ + "e.ex4", 1},
                                                                {b_ + "indicators\\i.ex4", 2}};
    const bool creation_time_kept = CreationTimeIsKept(root_.Path());
    for (const auto& [path, index] : copies) {
      const TFileTimes times = ReadFileTimes(path);
      if (creation_time_kept) {
        EXPECT_EQ(times.Created, package_.Files[index]->CreationTime) << path;
      }
      // Saving a shortcut lets the shell read its target, which refreshes the access time.
      if (package_.Files[index]->ShortcutName.empty()) {
        EXPECT_EQ(times.Accessed, package_.Files[index]->LastWriteTime) << path;
      }
      EXPECT_EQ(times.Written, package_.Files[index]->LastWriteTime) << path;
      EXPECT_EQ(ReadFileBytes(path), contents_[index]) << path;
    }
  }

  void CheckInstalledItems() {
    EXPECT_EQ(install_.StepsExpected, 18);

    files_ = {app_ + "\\a.txt",
              menu_ + "\\App File.lnk",
              a_ + "e.ex4",
              a_ + "indicators\\i.ex4",
              menu_ + "\\Indicator.lnk",
              b_ + "e.ex4",
              b_ + "indicators\\i.ex4",
              menu_ + "\\Indicator.lnk",
              app_ + "\\Readme.rtf",
              menu_ + "\\Readme.lnk",
              app_ + "\\License.rtf",
              menu_ + "\\License.lnk",
              app_ + "\\What's New.rtf",
              menu_ + "\\What's New.lnk",
              menu_ + "\\XA Tests Website.url",
              menu_ + "\\Contact Email.url",
              menu_ + "\\Uninstall.lnk"};
    // The terminals' "experts" folders are new: the install made them, deepest first.
    folders_ = {a_ + "indicators",
                b_ + "indicators",
                terminal_a_ + "\\experts",
                terminal_b_ + "\\experts",
                app_,
                menu_};
    ASSERT_EQ(install_.InstalledItems.size(), folders_.size() + files_.size());
    for (size_t i = 0; i < folders_.size(); ++i) {
      EXPECT_EQ(install_.InstalledItems[i].Path, folders_[i]);
      EXPECT_EQ(install_.InstalledItems[i].Mark, kInstalledFolder);
    }
    for (size_t i = 0; i < files_.size(); ++i) {
      EXPECT_EQ(install_.InstalledItems[i + folders_.size()].Path, files_[i]);
      EXPECT_NE(install_.InstalledItems[i + folders_.size()].Mark, kInstalledFolder);
    }
  }

  void CheckLinks() {
    // Shortcuts, read back through the shell.
    const std::vector<std::pair<std::string, std::string>> links = {
        {menu_ + "\\App File.lnk", app_ + "\\a.txt"},
        {menu_ + "\\Indicator.lnk", b_ + "indicators\\i.ex4"},
        {menu_ + "\\Readme.lnk", app_ + "\\Readme.rtf"},
        {menu_ + "\\License.lnk", app_ + "\\License.rtf"},
        {menu_ + "\\What's New.lnk", app_ + "\\What's New.rtf"},
        {menu_ + "\\Uninstall.lnk", app_ + "\\Uninstall.exe"}};
    for (const auto& [link, target] : links) {
      const TShellLinkContents read = ReadShellLink(link);
      ASSERT_TRUE(read.loaded) << link;
      EXPECT_EQ(read.Path, target) << link;
      EXPECT_EQ(read.WorkingDirectory, target.substr(0, target.rfind('\\'))) << link;
    }
  }

  void CheckDocuments() {
    EXPECT_EQ(ReadFileBytes(menu_ + "\\XA Tests Website.url"),
              "[InternetShortcut]\r\nURL=https://example.com/xa\r\n\r\n");
    EXPECT_EQ(ReadFileBytes(menu_ + "\\Contact Email.url"),
              "[InternetShortcut]\r\nURL=mailto:Ann <ann@example.com>\r\n\r\n");
    EXPECT_EQ(ReadFileBytes(app_ + "\\Readme.rtf"), "{\\rtf1 readme}\r\n");
    EXPECT_EQ(ReadFileBytes(app_ + "\\License.rtf"), "{\\rtf1 licence}\r\n");
    EXPECT_EQ(ReadFileBytes(app_ + "\\What's New.rtf"), "{\\rtf1 new\\par}\r\n");
  }

  void CheckSettings() {
    // Settings: a new record in A, a patched one with its tail in B.
    std::string new_settings(kExpertsRecordSize, '\0');
    new_settings[0] = '\x90';
    new_settings[1] = '\x01';
    std::string patched = old_settings_;
    for (std::string* settings : {&new_settings, &patched}) {
      (*settings)[4] = 1;
      (*settings)[12] = 0;
      (*settings)[40] = 1;
    }
    EXPECT_EQ(ReadFileBytes(ExpertsIniPath(terminal_a_)), new_settings);
    EXPECT_EQ(ReadFileBytes(ExpertsIniPath(terminal_b_)), patched);
  }

  void CheckRegistration() {
    const std::string uninstaller = Uninstaller();
    // Registration.
    EXPECT_EQ(ReadMachineValue(cleanup_.KeyPath(), "DisplayName"), Name());
    EXPECT_EQ(ReadMachineValue(cleanup_.KeyPath(), "UninstallString"), "\"" + uninstaller + "\"");
    EXPECT_EQ(ReadMachineValue(cleanup_.KeyPath(), "DisplayIcon"), uninstaller);
    EXPECT_EQ(ReadMachineValue(cleanup_.KeyPath(), "DisplayVersion"), "2.5");
    EXPECT_EQ(ReadMachineValue(cleanup_.KeyPath(), "Publisher"), "XA Tests");
    EXPECT_EQ(ReadMachineValue(cleanup_.KeyPath(), "URLInfoAbout"), "https://example.com/xa");
    EXPECT_EQ(ReadMachineValue(cleanup_.KeyPath(), "HelpLink"), "mailto:ann@example.com");
    EXPECT_EQ(ReadMachineValue(cleanup_.KeyPath(), "InstallLocation"), app_);
    // At least the uninstaller itself, in whole KiB.
    DWORD kib = 0;
    DWORD size = sizeof kib;
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, cleanup_.KeyPath().c_str(), "EstimatedSize",
                           RRF_RT_REG_DWORD, nullptr, &kib, &size),
              ERROR_SUCCESS);
    EXPECT_GE(uint64_t{kib} * 1024, ReadFileBytes(uninstaller).size());
  }

  void CheckUninstaller() {
    const std::string uninstaller = Uninstaller();
    // The uninstaller: the installer's program part and the record of the install.
    const std::string installer_bytes = ReadFileBytes(installer_);
    const std::string uninstaller_bytes = ReadFileBytes(uninstaller);
    const uint32_t stub_size = PointerAt136(installer_bytes);
    ASSERT_GT(uninstaller_bytes.size(), stub_size);
    // The same program part, but for the PE checksum, which no longer covers the file.
    const size_t checksum = PointerAt(installer_bytes, 0x3c) + 24 + 64;
    EXPECT_EQ(uninstaller_bytes.substr(0, checksum), installer_bytes.substr(0, checksum));
    EXPECT_EQ(PointerAt(uninstaller_bytes, checksum), 0u);
    EXPECT_EQ(uninstaller_bytes.substr(checksum + 4, stub_size - checksum - 4),
              installer_bytes.substr(checksum + 4, stub_size - checksum - 4));
    EXPECT_EQ(PointerAt136(uninstaller_bytes), stub_size);
    EXPECT_EQ(uninstaller_bytes.substr(stub_size, 4), kUninstallMagic);
  }

  void CheckInstallProgress() {
    // Progress: every message in order, with its percent of 18 steps.
    std::vector<std::string> messages = {
        "Copying file " + app_ + "\\a.txt ...",
        "Copying file " + a_ + "e.ex4 ...",
        "Copying file " + a_ + "indicators\\i.ex4 ...",
        "Copying file " + b_ + "e.ex4 ...",
        "Copying file " + b_ + "indicators\\i.ex4 ...",
        "Overriding MetaTrader settings in " + terminal_a_ + " ...",
        "Overriding MetaTrader settings in " + terminal_b_ + " ..."};
    for (const char* name : {"Readme", "License", "What's New"}) {
      messages.push_back("Copying file " + app_ + "\\" + name + ".rtf ...");
      messages.push_back("Creating shortcut " + menu_ + "\\" + name + ".lnk ...");
    }
    messages.push_back("Creating shortcut " + menu_ + "\\XA Tests Website.url ...");
    messages.push_back("Creating shortcut " + menu_ + "\\Contact Email.url ...");
    messages.push_back("Creating unistaller ...");
    messages.push_back("Registering unistaller ...");
    messages.push_back("Done.");
    TProgressLog expected_log;
    for (size_t i = 0; i < messages.size(); ++i)
      expected_log.emplace_back(messages[i], MulDiv(static_cast<int32_t>(i + 1), 100, 18));
    EXPECT_EQ(install_log_, expected_log);
  }

  void UninstallAndCheck() {
    const std::string uninstaller = Uninstaller();
    TXaUninstall uninstall;
    uninstall.LoadFromFile(uninstaller);
    EXPECT_EQ(uninstall.ProgramName, Name());
    EXPECT_EQ(uninstall.Publisher, "XA Tests");
    EXPECT_EQ(uninstall.VersionMajor, 2);
    EXPECT_EQ(uninstall.RecordedFolders, folders_);
    EXPECT_EQ(uninstall.RecordedFiles, files_);
    TProgressLog uninstall_log;
    uninstall.OnProgress = RecordProgress(uninstall_log);
    RunUninstall(uninstall);

    for (const std::string& file : files_)
      EXPECT_FALSE(PathExists(file)) << file;
    EXPECT_FALSE(PathExists(menu_));
    EXPECT_TRUE(PathExists(uninstaller));
    EXPECT_FALSE(MachineKeyExists(cleanup_.KeyPath()));
    const auto steps = static_cast<int32_t>(files_.size() + folders_.size() + 1);
    ASSERT_EQ(uninstall_log.size(), files_.size() + folders_.size() + 2);
    EXPECT_EQ(uninstall_log[0],
              std::make_pair("Delete file " + files_[0] + " ...", MulDiv(1, 100, steps)));
    for (size_t i = 0; i < folders_.size(); ++i) {
      EXPECT_EQ(uninstall_log[files_.size() + i].first, "Remove folder " + folders_[i] + " ...");
    }
    EXPECT_EQ(uninstall_log[files_.size() + folders_.size()].first,
              "Unregistering uninstaller ...");
    EXPECT_EQ(uninstall_log.back(),
              std::make_pair(std::string("Done."), MulDiv(steps + 1, 100, steps)));

    ASSERT_TRUE(SelfDelete(uninstaller, true));
    EXPECT_TRUE(WaitFor([&] { return !PathExists(app_); }, 60));
    EXPECT_FALSE(PathExists(uninstaller));
    EXPECT_TRUE(PathExists(terminal_a_ + "\\terminal.exe"));
    EXPECT_FALSE(PathExists(terminal_a_ + "\\experts")) << "the folder the install made";
  }

  TComApartment apartment_;
  TTempFolder root_{"e2e"};
  TInstallCleanup cleanup_{Name()};
  std::string terminal_a_;
  std::string terminal_b_;
  std::string old_settings_;
  TXaInstall package_;
  std::vector<std::string> contents_;
  // Paths of the installed package.
  std::string app_;
  std::string menu_;
  std::string a_;
  std::string b_;
  std::vector<std::string> files_;
  std::vector<std::string> folders_;
  std::string installer_;
  TXaInstall install_;
  TProgressLog install_log_;
};

TEST_F(EndToEndTest, InstallsAndUninstallsAPackage) {
  MakePackage();
  installer_ = root_.Path() + "\\setup.exe";
  BuildInstaller(package_, contents_, installer_);
  install_.LoadFromFile(installer_);
  ASSERT_EQ(install_.ProgramName, Name());
  ASSERT_EQ(install_.Files.size(), 3u);
  install_.TerminalFolders = {terminal_a_, terminal_b_};
  install_.OnProgress = RecordProgress(install_log_);
  RunInstall(install_);
  app_ = cleanup_.AppFolder();
  menu_ = cleanup_.MenuFolder();
  a_ = terminal_a_ + "\\experts\\";
  b_ = terminal_b_ + "\\experts\\";
  CheckCopies();
  CheckInstalledItems();
  CheckLinks();
  CheckDocuments();
  CheckSettings();
  CheckRegistration();
  CheckUninstaller();
  CheckInstallProgress();
  UninstallAndCheck();
}

}  // namespace
}  // namespace xa
