// The checksum xapack writes, checked by Windows' own computation (imagehlp) on an installer
// built from the wizard program.
#include <windows.h>
// After windows.h, whose types it uses.
#include <imagehlp.h>

#include <gtest/gtest.h>

#include "xapack/installer_builder.h"
#include "xapack/testing/package_fixture.h"

namespace xa::xapack {
namespace {

TEST(InstallerChecksumTest, WindowsComputesTheChecksumTheHeaderHolds) {
  testing::PackageFolder folder;
  testing::WriteFile(folder.StubPath(), testing::ReadFile(XA_SETUP_PATH));
  BuildOptions options;
  options.stub_path = folder.StubPath();
  options.output_path = folder.Path("Setup.exe");
  BuildInstaller(LoadManifest(folder.WriteManifest(testing::PackageFolder::DefaultManifest())),
                 options);
  for (const std::string& path : {options.output_path, options.stub_path}) {
    DWORD in_header = 0;
    DWORD computed = 0;
    ASSERT_EQ(MapFileAndCheckSumA(path.c_str(), &in_header, &computed), CHECKSUM_SUCCESS) << path;
    if (path == options.output_path) {
      EXPECT_EQ(in_header, computed);
      EXPECT_NE(computed, 0u);
    } else {
      EXPECT_NE(in_header, computed) << "the bare program's header does not cover the package";
    }
  }
}

}  // namespace
}  // namespace xa::xapack
