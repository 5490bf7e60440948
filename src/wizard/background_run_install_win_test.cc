#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/install_run.h"
#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "engine/uninstall_run.h"
#include "package/cipher_blocks.h"
#include "package/testing/misaligned_thread_win.h"
#include "package/xa_install.h"
#include "package/xa_uninstall.h"
#include "shell/testing/temp_folder.h"
#include "wizard/background_run_win.h"

namespace xa {
namespace {

// Contents of several sizes, so that every cipher path runs its wide loops and its tails.
std::vector<std::string> Contents() {
  std::vector<std::string> contents;
  for (const size_t size : {0, 5, 16, 1000, 200000}) {
    std::string content(size, '\0');
    for (size_t i = 0; i < size; ++i)
      content[i] = static_cast<char>(i * 7 + size);
    contents.push_back(content);
  }
  return contents;
}

// The wizard's install and uninstall runs, on the background thread that the wizard starts
// for them, entered with a stack that 32-bit Windows aligned to 4 bytes only; the dispatching
// thread is misaligned the same way.
class RunOnMisalignedStackTest : public testing::TestWithParam<uint32_t> {
 protected:
  void TearDown() override { CipherPathLimit = CipherPath::kVaes; }

  // Runs `run` as the wizard runs the engine, with both threads misaligned.
  void RunLikeTheWizard(const std::function<void()>& run) {
    const uint32_t misalignment = GetParam();
    RunOnMisalignedThread(misalignment, [&] {
      RunWhileDispatching([&] { CallOnMisalignedStack(misalignment, run); });
    });
  }

  std::string Name() const {
    return "XA Alignment Test " + std::to_string(GetParam()) + " " +
           std::to_string(GetCurrentProcessId());
  }
};

TEST_P(RunOnMisalignedStackTest, InstallsAndUninstallsOnEveryCipherPath) {
  for (const CipherPath path : {CipherPath::kTables, CipherPath::kAesNi, CipherPath::kVaes}) {
    if (!CipherPathAvailable(path))
      continue;
    CipherPathLimit = path;
    const TTempFolder root("aligned");
    const TInstallCleanup cleanup(Name());
    const std::string terminal = root.Path() + "\\Terminal";
    ASSERT_TRUE(CreateDirectoryA(terminal.c_str(), nullptr));
    ASSERT_TRUE(CopyTerminalDouble(terminal));
    TXaInstall package;
    package.ProgramName = Name();
    const std::vector<std::string> contents = Contents();
    for (size_t i = 0; i < contents.size(); ++i) {
      TXaInstallFile& file = package.AddFile();
      file.TargetPath = "{metatrader}\\MQL4\\Experts\\f" + std::to_string(i) + ".ex4";
      file.ShortcutName = i == 0 ? "First file" : "";
    }
    const std::string installer = root.Path() + "\\setup.exe";
    BuildInstaller(package, contents, installer);
    TXaInstall install;
    install.LoadFromFile(installer);
    install.TerminalFolders = {terminal};
    RunLikeTheWizard([&] { RunInstall(install); });

    for (size_t i = 0; i < contents.size(); ++i) {
      const std::string file = terminal + "\\MQL4\\Experts\\f" + std::to_string(i) + ".ex4";
      EXPECT_TRUE(ReadFileBytes(file) == contents[i])
          << file << " on path " << static_cast<int>(path);
    }
    TXaUninstall uninstall;
    uninstall.LoadFromFile(cleanup.AppFolder() + "\\Uninstall.exe");
    RunLikeTheWizard([&] { RunUninstall(uninstall); });
    EXPECT_FALSE(PathExists(terminal + "\\MQL4\\Experts\\f4.ex4"));
    EXPECT_FALSE(PathExists(cleanup.MenuFolder()));
  }
}

INSTANTIATE_TEST_SUITE_P(By4And8And12Bytes,
                         RunOnMisalignedStackTest,
                         testing::Values(4u, 8u, 12u),
                         [](const testing::TestParamInfo<uint32_t>& info) {
                           return "By" + std::to_string(info.param);
                         });

}  // namespace
}  // namespace xa
