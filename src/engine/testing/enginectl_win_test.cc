#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/install_rules.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

std::string Name() {
  return "XA Enginectl Test " + std::to_string(GetCurrentProcessId());
}

class EnginectlTest : public testing::Test {
 protected:
  // Each run writes new output files: a process the child started may still hold the last ones.
  int Run(const std::string& arguments) {
    const std::string run = std::to_string(++runs_);
    out_ = root_.Path() + "\\out" + run + ".txt";
    err_ = root_.Path() + "\\err" + run + ".txt";
    return RunProgram("\"" + StubProgramPath() + "\" " + arguments, out_, err_, 120);
  }

  TTempFolder root_{"enginectl"};
  TInstallCleanup cleanup_{Name()};
  int runs_ = 0;
  std::string out_;
  std::string err_;
};

TEST_F(EnginectlTest, InstallsAndUninstallsPrintingProgress) {
  TXaInstall package;
  package.ProgramName = Name();
  package.AddFile().TargetPath = "{metatrader}\\experts\\e.ex4";
  const std::string installer = root_.Path() + "\\setup.exe";
  BuildInstaller(package, {"expert"}, installer);
  const std::string terminal = root_.Path() + "\\MT4";
  ASSERT_TRUE(CreateDirectoryA(terminal.c_str(), nullptr));

  ASSERT_EQ(Run("install \"" + installer + "\" \"" + terminal + "\""), 0) << ReadFileBytes(err_);
  EXPECT_EQ(ReadFileBytes(terminal + "\\experts\\e.ex4"), "expert");
  EXPECT_EQ(ReadFileBytes(out_), "9\tCopying file " + terminal + "\\experts\\e.ex4 ...\r\n" +
                                     "18\tCreating unistaller ...\r\n"
                                     "27\tRegistering unistaller ...\r\n"
                                     "36\tDone.\r\n");

  ASSERT_EQ(Run("uninstall \"" + cleanup_.AppFolder() + "\\Uninstall.exe\""), 0);
  EXPECT_FALSE(PathExists(terminal + "\\experts\\e.ex4"));
  EXPECT_FALSE(MachineKeyExists(cleanup_.KeyPath()));
  EXPECT_NE(ReadFileBytes(out_).find("\tDone.\r\n"), std::string::npos);
}

TEST_F(EnginectlTest, ReportsAFailureOnStandardError) {
  const std::string missing = root_.Path() + "\\missing.exe";
  EXPECT_EQ(Run("install \"" + missing + "\""), 1);
  EXPECT_EQ(ReadFileBytes(err_).rfind("Cannot open file \"" + missing + "\". ", 0), 0u);
  EXPECT_EQ(Run("frobnicate x"), 2);
}

}  // namespace
}  // namespace xa
