#include "engine/installer_check.h"

#include <gtest/gtest.h>

#include <fstream>

#include "package/errors.h"
#include "package/memory_stream.h"
#include "package/package_writer.h"
#include "package/record_location.h"
#include "package/testing/temp_folder.h"

namespace xa {
namespace {

constexpr size_t kStubSize = 300;

// An installer of two files, each 40 plain bytes (48 stored), with a banner of `banner` bytes.
std::vector<uint8_t> BuildInstaller(size_t banner = 0) {
  TXaInstall package;
  package.ProgramName = "Whole";
  package.Banner.assign(banner, 0x5A);
  package.AddFile().TargetPath = "{app}\\a.txt";
  package.AddFile().TargetPath = "{app}\\b.txt";
  TMemoryStream a(std::vector<uint8_t>(40, 'a'));
  TMemoryStream b(std::vector<uint8_t>(40, 'b'));
  TMemoryStream stub(std::vector<uint8_t>(kStubSize, 0));
  TMemoryStream installer;
  WriteInstaller(package, {&a, &b}, stub, installer);
  return installer.Bytes();
}

bool Whole(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  TXaInstall install;
  install.LoadFromStream(stream);
  return IsInstallerWhole(stream, install);
}

void Stamp(std::vector<uint8_t>& bytes, int32_t pointer) {
  TMemoryStream stream(std::move(bytes));
  StampRecordPointer(stream, pointer);
  bytes = std::move(stream.Bytes());
}

TEST(InstallerCheckTest, FindsEveryCutOfADownload) {
  const std::vector<uint8_t> whole = BuildInstaller();
  const size_t contents = whole.size() - 2 * 48;  // where the first stored content starts
  struct Case {
    const char* name;
    size_t kept;  // bytes the download kept
    bool whole;
  };
  const Case cases[] = {
      {"whole", whole.size(), true},
      {"cut in the last content", whole.size() - 1, false},
      {"cut between the contents", whole.size() - 48, false},
      {"cut at the first content", contents, false},
      {"cut in the payload", contents - 10, false},
      {"cut at the payload", kStubSize, false},
      {"cut in the program", kStubSize - 100, false},
      {"cut before the record pointer", 100, false},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> kept(whole.begin(), whole.begin() + static_cast<long>(c.kept));
    EXPECT_EQ(Whole(kept), c.whole) << c.name;
  }
}

TEST(InstallerCheckTest, AProgramWithoutARecordIsWhole) {
  std::vector<uint8_t> bare(kStubSize, 0);
  EXPECT_TRUE(Whole(bare)) << "pointer 0, as our programs carry it";
  Stamp(bare, -5);
  EXPECT_TRUE(Whole(bare)) << "a pointer no record of ours has";
  Stamp(bare, 200);
  EXPECT_TRUE(Whole(bare)) << "a pointer at something else";
}

TEST(InstallerCheckTest, LoadingADamagedInstallerRaisesTheDamagedMessage) {
  const testing::TempFolder folder;
  const auto write = [&folder](const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(folder.Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return folder.Path(name);
  };
  const std::vector<uint8_t> with_banner = BuildInstaller(4000);
  TXaInstall install;
  EXPECT_NO_THROW(LoadWholeInstaller(install, write("whole.exe", with_banner)));
  EXPECT_EQ(install.ProgramName, "Whole");
  EXPECT_EQ(install.Files.size(), 2u);
  const std::vector<std::vector<uint8_t>> damaged = {
      {with_banner.begin(), with_banner.end() - 1},       // in a content
      {with_banner.begin(), with_banner.begin() + 2000},  // in the banner
  };
  for (const std::vector<uint8_t>& bytes : damaged) {
    try {
      LoadWholeInstaller(install, write("cut.exe", bytes));
      ADD_FAILURE() << bytes.size() << " bytes loaded";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), kDamagedInstaller) << bytes.size();
    }
  }
  try {
    LoadWholeInstaller(install, folder.Path("missing.exe"));
    ADD_FAILURE() << "a missing file loaded";
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file", 0), 0u) << e.what();
  }
}

}  // namespace
}  // namespace xa
