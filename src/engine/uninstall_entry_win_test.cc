#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "engine/install_rules.h"
#include "engine/testing/win_test_support.h"
#include "engine/uninstaller.h"
#include "shell/install_journal.h"
#include "shell/registry_key.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

void WriteBytes(const std::string& path, size_t count) {
  std::ofstream(path, std::ios::binary) << std::string(count, 'x');
}

// The value `name` of the key `path` below HKEY_LOCAL_MACHINE as a DWORD; nullopt when it is
// missing or of another type.
std::optional<DWORD> ReadMachineDword(const std::string& path, const std::string& name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr,
                   &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

class UninstallEntryTest : public testing::Test {
 protected:
  void SetUp() override {
    install_.ProgramName = "XA Entry Test " + std::to_string(GetCurrentProcessId());
    key_ = UninstallKeyPath(install_.ProgramName);
  }
  void TearDown() override { DeleteKeyTree(HKEY_LOCAL_MACHINE, key_); }

  TTempFolder root_{"entry"};
  TXaInstall install_;
  std::string key_;
};

TEST_F(UninstallEntryTest, RegistersEveryValueOfTheListOfInstalledPrograms) {
  install_.VersionMajor = 3;
  install_.VersionMinor = 1;
  install_.VersionBuild = 7;
  install_.Publisher = "Example Traders";
  install_.Website = "https://example.com/tools";
  install_.ContactEmail = "help@example.com";
  const std::string uninstaller = root_.Path() + "\\Uninstall.exe";
  WriteBytes(uninstaller, 5000);
  WriteBytes(root_.Path() + "\\a.ex4", 2000);
  WriteBytes(root_.Path() + "\\b.txt", 1500);
  install_.InstalledItems = {{root_.Path(), kInstalledFolder},
                             {root_.Path() + "\\a.ex4", 0},
                             {root_.Path() + "\\b.txt", 0},
                             {root_.Path() + "\\not written yet.lnk", 0}};
  {
    TRegKey earlier;
    ASSERT_TRUE(earlier.Create(HKEY_LOCAL_MACHINE, key_));
    earlier.WriteString("Comments", "kept");
    earlier.WriteString("DisplayVersion", "0.9");
  }
  TInstallJournal journal;
  RegisterUninstaller(journal, install_, uninstaller);

  const struct {
    const char* name;
    std::string text;
  } texts[] = {
      {"DisplayName", install_.ProgramName},
      {"UninstallString", "\"" + uninstaller + "\""},
      {"DisplayIcon", uninstaller},
      {"DisplayVersion", "3.1.7"},
      {"Publisher", "Example Traders"},
      {"URLInfoAbout", "https://example.com/tools"},
      {"HelpLink", "mailto:help@example.com"},
      {"InstallLocation", root_.Path()},
      {"Comments", "kept"},
  };
  for (const auto& value : texts)
    EXPECT_EQ(ReadMachineValue(key_, value.name), value.text) << value.name;
  // 5000 + 2000 + 1500 bytes are 8.3 KiB; the shortcut not yet written counts nothing.
  EXPECT_EQ(ReadMachineDword(key_, "EstimatedSize"), 9u);
  EXPECT_EQ(ReadMachineDword(key_, "NoModify"), 1u);
  EXPECT_EQ(ReadMachineDword(key_, "NoRepair"), 1u);

  // A run that fails later puts the earlier entry back: its own values, and none of ours.
  EXPECT_TRUE(journal.Rollback().empty());
  EXPECT_EQ(ReadMachineValue(key_, "Comments"), "kept");
  EXPECT_EQ(ReadMachineValue(key_, "DisplayVersion"), "0.9");
  for (const char* name : {"DisplayName", "Publisher", "InstallLocation"})
    EXPECT_EQ(ReadMachineValue(key_, name), "") << name;
  EXPECT_EQ(ReadMachineDword(key_, "EstimatedSize"), std::nullopt);
  EXPECT_EQ(ReadMachineDword(key_, "NoModify"), std::nullopt);
}

TEST_F(UninstallEntryTest, WithoutPublisherWebsiteOrEmailThoseValuesAreLeftOut) {
  const std::string uninstaller = root_.Path() + "\\Uninstall.exe";
  WriteBytes(uninstaller, 1);
  TInstallJournal journal;
  RegisterUninstaller(journal, install_, uninstaller);
  journal.Commit();
  EXPECT_EQ(ReadMachineValue(key_, "DisplayVersion"), "0.0");
  for (const char* name : {"Publisher", "URLInfoAbout", "HelpLink"}) {
    TRegKey key;
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, key_, KEY_READ));
    EXPECT_NE(RegQueryValueExA(key.Get(), name, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS)
        << name;
  }
  EXPECT_EQ(ReadMachineDword(key_, "EstimatedSize"), 1u);
}

}  // namespace
}  // namespace xa
