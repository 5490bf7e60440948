#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/testing/installer_builder.h"
#include "engine/testing/win_test_support.h"
#include "shell/testing/temp_folder.h"

namespace xa {
namespace {

// DLLs the wizard loads by name at run time, and others a planted copy of would commonly
// stand for; none of them is among the DLLs the system always takes from its own folder. The
// test runs with WINEDLLOVERRIDES naming them "n,b", so that Wine's loader, like Windows',
// takes the first file of the name on the search path before its own builtin.
const std::vector<std::string> kPlantedNames = {"riched20.dll", "msftedit.dll", "uxtheme.dll",
                                                "version.dll",  "comctl32.dll", "dwmapi.dll",
                                                "winmm.dll",    "propsys.dll"};

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

}  // namespace
}  // namespace xa
