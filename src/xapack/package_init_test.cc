#include "xapack/package_init.h"

#include <gtest/gtest.h>

#include "package/errors.h"
#include "package/testing/temp_folder.h"
#include "xapack/installer_builder.h"
#include "xapack/manifest.h"
#include "xapack/os_services.h"
#include "xapack/package_extractor.h"
#include "xapack/package_listing.h"
#include "xapack/testing/package_fixture.h"

namespace xa::xapack {
namespace {

using testing::ReadFile;
using testing::WriteFileAtUtf8Path;

constexpr char kIndicator[] = "MQL4/Indicators/Caf\xC3\xA9 \xE2\x82\xAC.ex4";

class PackageInitTest : public ::testing::Test {
 protected:
  PackageInitTest() : root_(PathToUtf8(folder_.Path()).value()) {}

  // A data folder "Trend Pack" with terminal files, documents, a banner and notes.
  void MakePackageFolder() const {
    const std::string pack = root_ + "/Trend Pack/";
    WriteFileAtUtf8Path(pack + "MQL4/Experts/Trend EA.ex4", std::string(3000, 'e'));
    WriteFileAtUtf8Path(pack + kIndicator, "indicator");
    WriteFileAtUtf8Path(pack + "templates/Trend.tpl", "<chart>");
    WriteFileAtUtf8Path(pack + "Readme.txt", "Attach the EA to a chart.\n");
    WriteFileAtUtf8Path(pack + "License.rtf", "{\\rtf1 Use it.}");
    WriteFileAtUtf8Path(pack + "art/Banner.jpg", testing::SampleBanner());
    WriteFileAtUtf8Path(pack + "notes.txt", "not for the package");
  }

  std::string Path(const std::string& name) const { return folder_.Path(name); }

  xa::testing::TempFolder folder_;
  std::string root_;
};

TEST_F(PackageInitTest, ItsManifestBuildsAsWritten) {
  MakePackageFolder();
  const InitResult result = InitPackage(Path("Trend Pack") + "/");
  EXPECT_EQ(result.manifest_path, Path("package.toml"));
  EXPECT_EQ(result.files, 3u);
  EXPECT_EQ(result.skipped, 1u);

  const Manifest manifest = LoadManifest(result.manifest_path);
  EXPECT_EQ(manifest.name, "Trend Pack");
  EXPECT_EQ(manifest.version_major, 1);
  EXPECT_EQ(manifest.version_minor, 0);
  EXPECT_TRUE(manifest.warnings.empty());
  ASSERT_EQ(manifest.files.size(), 3u);
  EXPECT_EQ(manifest.files[1].target, "{metatrader}\\MQL4\\Indicators\\Caf\xE9 \x80.ex4");
  const std::vector<uint8_t> stub = testing::MakeStub();
  testing::WriteFile(Path("stub.exe"), std::string(stub.begin(), stub.end()));
  BuildInstaller(manifest, {Path("stub.exe"), Path("Setup.exe"), std::nullopt, nullptr});

  const PackageListing listing = ReadListing(Path("Setup.exe"));
  EXPECT_EQ(listing.name, "Trend Pack");
  ASSERT_EQ(listing.files.size(), 3u);
  EXPECT_EQ(listing.files[0].target, "{metatrader}\\MQL4\\Experts\\Trend EA.ex4");
  EXPECT_EQ(listing.files[1].target,
            "{metatrader}\\MQL4\\Indicators\\Caf\xC3\xA9 \xE2\x82\xAC.ex4");
  EXPECT_EQ(listing.files[2].target, "{metatrader}\\templates\\Trend.tpl");
  EXPECT_GT(listing.readme_size, 0);
  EXPECT_GT(listing.license_size, 0);
  EXPECT_EQ(listing.whats_new_size, 0);
  EXPECT_EQ(listing.banner_size, static_cast<int64_t>(testing::SampleBanner().size()));

  ExtractPackage(Path("Setup.exe"), Path("out"));
  EXPECT_EQ(ReadFile(Path("out/{metatrader}/MQL4/Experts/Trend EA.ex4")), std::string(3000, 'e'));
}

TEST_F(PackageInitTest, RefusesWhatCannotBeAPackageFolder) {
  WriteFileAtUtf8Path(root_ + "/{app} Tools/MQL4/Experts/a.ex4", "a");
  WriteFileAtUtf8Path(root_ + "/file.ex4", "a");
  const std::pair<std::string, const char*> cases[] = {
      {Path("{app} Tools"), "\" cannot be a program name"},
      {Path("file.ex4"), ": is not a folder"},
      {Path("missing"), ": is not a folder"},
  };
  for (const auto& [folder, problem] : cases) {
    try {
      InitPackage(folder);
      ADD_FAILURE() << folder << " was taken";
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find(problem), std::string::npos) << e.what();
    }
  }
  EXPECT_FALSE(testing::Exists(Path("package.toml")));
}

}  // namespace
}  // namespace xa::xapack
