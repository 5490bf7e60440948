// An installer is downloaded, perhaps only in part, and run: a cut file installs nothing, and
// what an install puts into the Start menu goes again on uninstall.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Name() {
  return "XA Download Safety " + std::to_string(GetCurrentProcessId());
}

class DownloadSafetyTest : public testing::Test {
 protected:
  void SetUp() override {
    terminal_ = root_.Path() + "\\MT4";
    ASSERT_TRUE(CreateDirectoryA(terminal_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((terminal_ + "\\experts").c_str(), nullptr));
    package_.ProgramName = Name();
    for (size_t i = 0; i < package_.ContentKey.size(); ++i)
      package_.ContentKey[i] = static_cast<uint8_t>(0x57 * i + 1);
  }

  void AddFile(const std::string& target, const std::string& shortcut) {
    TXaInstallFile& file = package_.AddFile();
    file.TargetPath = target;
    file.ShortcutName = shortcut;
  }

  // Runs enginectl with `arguments`; each run writes new output files.
  int Run(const std::string& arguments) {
    const std::string run = std::to_string(++runs_);
    out_ = root_.Path() + "\\out" + run + ".txt";
    err_ = root_.Path() + "\\err" + run + ".txt";
    return RunProgram("\"" + StubProgramPath() + "\" " + arguments, out_, err_, 120);
  }

  TTempFolder root_{"download-safety"};
  TInstallCleanup cleanup_{Name()};
  TXaInstall package_;
  std::string terminal_;
  int runs_ = 0;
  std::string out_;
  std::string err_;
};

TEST_F(DownloadSafetyTest, ACutInstallerChangesNothing) {
  AddFile("{metatrader}\\experts\\first.ex4", "First");
  AddFile("{app}\\middle.txt", "");
  AddFile("{metatrader}\\experts\\last.ex4", "");
  const std::string installer = root_.Path() + "\\whole.exe";
  BuildInstaller(package_, {std::string(300, 'f'), "middle", std::string(200, 'l')}, installer);
  const std::string whole = ReadFileBytes(installer);
  size_t payload = 0;
  for (int i = 3; i >= 0; --i)
    payload = payload << 8 | static_cast<uint8_t>(whole.at(136 + static_cast<size_t>(i)));
  ASSERT_EQ(whole.substr(payload, 4), "XAIN");
  const size_t first = static_cast<size_t>(package_.Files[0]->Offset);
  ASSERT_EQ(whole.size(), static_cast<size_t>(package_.Files[2]->Offset + package_.Files[2]->Size));

  // The first target already holds an older version, which a cut download must not replace.
  const std::string existing = terminal_ + "\\experts\\first.ex4";
  const std::string old_version = "previous version";
  const size_t cuts[] = {payload + 30, first - 3, first + 100, whole.size() - 20, whole.size() - 1};
  for (const size_t size : cuts) {
    SCOPED_TRACE(size);
    const std::string cut = root_.Path() + "\\cut" + std::to_string(size) + ".exe";
    FILE* file = fopen(cut.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fwrite(whole.data(), 1, size, file);
    fclose(file);
    FILE* target = fopen(existing.c_str(), "wb");
    ASSERT_NE(target, nullptr);
    fwrite(old_version.data(), 1, old_version.size(), target);
    fclose(target);

    EXPECT_EQ(Run("install \"" + cut + "\" \"" + terminal_ + "\""), 1);
    EXPECT_EQ(ReadFileBytes(err_), "Invalid file format\r\n");
    EXPECT_EQ(ReadFileBytes(out_), "") << "no step was reported";
    EXPECT_EQ(ReadFileBytes(existing), old_version);
    EXPECT_FALSE(PathExists(terminal_ + "\\experts\\last.ex4"));
    EXPECT_FALSE(PathExists(cleanup_.AppFolder()));
    EXPECT_FALSE(PathExists(cleanup_.MenuFolder()));
    EXPECT_FALSE(MachineKeyExists(cleanup_.KeyPath()));
  }
}

TEST_F(DownloadSafetyTest, UninstallLeavesNothingInTheStartMenu) {
  AddFile("{app}\\Docs\\Manual.txt", "Docs\\Guides\\Manual");
  AddFile("{metatrader}\\experts\\e.ex4", "Docs\\Expert");
  AddFile("{app}\\Tools\\tool.txt", "Tools\\Tool");
  AddFile("{app}\\plain.txt", "Plain");
  const std::string installer = root_.Path() + "\\setup.exe";
  BuildInstaller(package_, {"manual", "expert", "tool", "plain"}, installer);
  const std::string menu = cleanup_.MenuFolder();

  ASSERT_EQ(Run("install \"" + installer + "\" \"" + terminal_ + "\""), 0) << ReadFileBytes(err_);
  for (const char* link : {"\\Docs\\Guides\\Manual.lnk", "\\Docs\\Expert.lnk", "\\Tools\\Tool.lnk",
                           "\\Plain.lnk", "\\Uninstall.lnk"})
    EXPECT_TRUE(PathExists(menu + link)) << link;

  ASSERT_EQ(Run("uninstall \"" + cleanup_.AppFolder() + "\\Uninstall.exe\""), 0)
      << ReadFileBytes(err_);
  const std::string progress = ReadFileBytes(out_);
  for (const std::string& folder : {menu + "\\Docs\\Guides", menu + "\\Docs", menu + "\\Tools"})
    EXPECT_NE(progress.find("Remove folder " + folder + " ..."), std::string::npos) << folder;
  EXPECT_LT(progress.find("Remove folder " + menu + "\\Docs ..."),
            progress.find("Remove folder " + menu + " ..."))
      << "sub-folders go before the menu folder";
  EXPECT_FALSE(PathExists(menu));
  EXPECT_FALSE(PathExists(terminal_ + "\\experts\\e.ex4"));
  EXPECT_FALSE(MachineKeyExists(cleanup_.KeyPath()));
}

}  // namespace
}  // namespace xa
