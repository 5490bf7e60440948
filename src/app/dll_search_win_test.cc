#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <fstream>
#include <iterator>

#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_writer.h"
#include "shell/scoped_handle.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

// DLLs the wizard loads by name at run time, and others a planted copy of would commonly
// stand for; none of them is among the DLLs the system always takes from its own folder. The
// test runs with WINEDLLOVERRIDES naming them "n,b", so that Wine's loader, like Windows',
// takes the first file of the name on the search path before its own builtin.
const std::vector<std::string> kPlantedNames = {"riched20.dll", "msftedit.dll", "uxtheme.dll",
                                                "version.dll",  "comctl32.dll", "dwmapi.dll",
                                                "winmm.dll",    "propsys.dll",  "msimg32.dll"};

class DllSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    probe_ = folder_.Path() + "\\Setup.exe";
    ASSERT_TRUE(
        CopyFileA((TestProgramFolder() + "\\dll_search_probe.exe").c_str(), probe_.c_str(), FALSE));
    const std::string planted = TestProgramFolder() + "\\planted_dll.dll";
    for (const std::string& name : kPlantedNames) {
      ASSERT_TRUE(CopyFileA(planted.c_str(), (folder_.Path() + "\\" + name).c_str(), FALSE))
          << name;
    }
  }

  // Runs the probe from the planted folder, loading every planted name.
  int RunProbe(const std::string& flags) {
    std::string line = "\"" + probe_ + "\" " + flags;
    for (const std::string& name : kPlantedNames)
      line += " " + name;
    return RunProgram(line, folder_.Path() + "\\out.txt", folder_.Path() + "\\err.txt", 60);
  }

  // The planted names whose DLL left its marker.
  std::vector<std::string> LoadedPlants() const {
    std::vector<std::string> loaded;
    for (const std::string& name : kPlantedNames) {
      if (PathExists(folder_.Path() + "\\" + name + ".loaded"))
        loaded.push_back(name);
    }
    return loaded;
  }

  TTempFolder folder_{"dll-search"};
  std::string probe_;
};

TEST_F(DllSearchTest, WithoutTheRestrictionThePlantedDllsLoad) {
  ASSERT_EQ(RunProbe("--unrestricted"), 0);
  EXPECT_EQ(LoadedPlants(), kPlantedNames) << "the test must see a planted DLL that loads";
}

TEST_F(DllSearchTest, RestrictedSearchNeverLoadsAPlantedDll) {
  ASSERT_EQ(RunProbe(""), 0);
  EXPECT_EQ(LoadedPlants(), std::vector<std::string>());
}

// The wizard itself, downloaded beside the DLLs it loads: it shows its window, closes, and
// never loads one of them. It imports only system DLLs at load time and loads the common
// controls after restricting the search. Wine's own user32 imports version.dll before any
// program code runs, and Wine's own comctl32 imports msimg32 by a search of its own (Windows'
// do neither), so those two names are left out here.
TEST_F(DllSearchTest, TheWizardNeverLoadsAPlantedDll) {
  for (const char* wine_import : {"version.dll", "msimg32.dll"})
    ASSERT_TRUE(DeleteFileA((folder_.Path() + "\\" + wine_import).c_str()));
  const std::string setup = folder_.Path() + "\\Wizard.exe";
  {
    std::ifstream program(XA_SETUP_PATH, std::ios::binary);
    TMemoryStream stub(std::vector<uint8_t>(std::istreambuf_iterator<char>(program), {}));
    ASSERT_GT(stub.Size(), 0);
    TXaInstall package;
    package.ProgramName = "XA Planted DLL Test";
    package.ReadmeText = "{\\rtf1 readme}";
    package.LicenseText = "{\\rtf1 licence}";
    TFileStream output(setup, FileMode::kCreate);
    WriteInstaller(package, {}, stub, output);
  }
  std::string command_line = "\"" + setup + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &started));
  const TScopedHandle process(started.hProcess);
  const TScopedHandle thread(started.hThread);
  HWND form = nullptr;
  const bool shown = WaitFor(
      [&] {
        form = FindProcessWindow(started.dwProcessId, "TFormInstaller");
        return form != nullptr;
      },
      60);
  if (shown)
    PostMessageA(form, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process.Get(), 60000) == WAIT_OBJECT_0;
  if (!ended)
    TerminateProcess(process.Get(), 99);
  EXPECT_TRUE(shown) << "the wizard's window did not appear";
  EXPECT_TRUE(ended) << "the wizard did not close";
  EXPECT_EQ(LoadedPlants(), std::vector<std::string>());
}

}  // namespace
}  // namespace xa
