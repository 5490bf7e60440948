#include "xapack/installer_builder.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "package/cipher_stream.h"
#include "package/errors.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/pe_checksum.h"
#include "package/record_location.h"
#include "package/sub_stream.h"
#include "package/xa_install.h"
#include "xapack/testing/package_fixture.h"

namespace xa::xapack {
namespace {

using testing::PackageFolder;
using testing::ReadFile;

constexpr ContentKey kKey = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6,
                             0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};

// A stub with a record appended behind it and the pointer stamped.
std::vector<uint8_t> StubWithRecord(const char (&magic)[5]) {
  std::vector<uint8_t> stub = testing::MakeStub();
  const uint32_t at = static_cast<uint32_t>(stub.size());
  stub.insert(stub.end(), magic, magic + 4);
  stub.insert(stub.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0});
  for (int i = 0; i < 4; ++i)
    stub[static_cast<size_t>(kPayloadPointerOffset + i)] = static_cast<uint8_t>(at >> (8 * i));
  return stub;
}

struct StubCase {
  const char* name;
  std::vector<uint8_t> stub;
  const char* problem;  // null: accepted
};

TEST(CheckStubTest, AcceptsRelocatedProgramsOnly) {
  std::vector<uint8_t> not_mz = testing::MakeStub();
  not_mz[0] = 'X';
  std::vector<uint8_t> no_signature = testing::MakeStub();
  no_signature[0x100] = 'X';
  std::vector<uint8_t> signed_stub = testing::MakeStub();
  signed_stub[0x118 + 92] = 16;         // data directories
  signed_stub[0x118 + 128 + 1] = 0x04;  // certificate table at 0x400
  signed_stub[0x118 + 132] = 0x80;
  std::vector<uint8_t> sixteen_directories = testing::MakeStub();
  sixteen_directories[0x118 + 92] = 16;
  std::vector<uint8_t> unknown_optional_header = testing::MakeStub();
  unknown_optional_header[0x118] = 0x07;
  const StubCase cases[] = {
      {"signed", signed_stub, "sign the installer after building"},
      {"unsigned with sixteen directories", sixteen_directories, nullptr},
      {"relocated", testing::MakeStub(0x100), nullptr},
      {"headers just after the pointer", testing::MakeStub(140), nullptr},
      {"headers at the usual place", testing::MakeStub(0x80), "overlaps the record pointer"},
      {"headers on the pointer", testing::MakeStub(136), "overlaps the record pointer"},
      {"headers ending on the pointer", testing::MakeStub(133), "overlaps the record pointer"},
      {"no MZ header", not_mz, "no MZ header"},
      {"no PE signature", no_signature, "no PE signature"},
      {"unknown optional header", unknown_optional_header, "unknown optional header"},
      {"too short", std::vector<uint8_t>{'M', 'Z'}, "no MZ header"},
      {"installer", StubWithRecord("XAIN"), "already carries"},
      {"uninstaller", StubWithRecord("XAUN"), "already carries"},
  };
  for (const StubCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.problem == nullptr) {
      EXPECT_NO_THROW(CheckStub(c.stub, "stub.exe"));
      continue;
    }
    try {
      CheckStub(c.stub, "stub.exe");
      ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()).rfind("stub.exe: ", 0), 0u) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.problem), std::string::npos) << e.what();
    }
  }
}

TEST(ParseKeyTest, TakesExactly32HexDigits) {
  EXPECT_EQ(ParseKey("2b7e151628aed2a6ABF7158809CF4F3C"), kKey);
  const char* invalid[] = {"", "2b7e151628aed2a6abf7158809cf4f3",
                           "2b7e151628aed2a6abf7158809cf4f3c0", "2b7e151628aed2a6abf7158809cf4f3g",
                           "0x7e151628aed2a6abf7158809cf4f3c"};
  for (const char* hex : invalid)
    EXPECT_FALSE(ParseKey(hex).has_value()) << hex;
}

class InstallerBuilderTest : public ::testing::Test {
 protected:
  BuildOptions Options(std::optional<ContentKey> key = kKey) const {
    BuildOptions options;
    options.stub_path = folder_.StubPath();
    options.output_path = folder_.Path("Setup.exe");
    options.key = key;
    return options;
  }

  Manifest LoadPackage() const {
    return LoadManifest(folder_.WriteManifest(PackageFolder::DefaultManifest()));
  }

  PackageFolder folder_;
};

// The plain bytes of `file` deciphered from the installer.
std::string Decipher(const std::string& installer,
                     const TXaInstallFile& file,
                     const std::array<uint8_t, 16>& key) {
  TFileStream stream(installer, FileMode::kOpenRead);
  TSubStream window(&stream, file.Offset, int64_t{file.Offset} + file.Size - 1, false);
  window.Seek(0, SeekOrigin::kBeginning);
  TMemoryStream plain;
  CipherStream(window, plain, key.data(), 16, CipherDirection::kDecipher);
  return std::string(plain.Bytes().begin(), plain.Bytes().end());
}

TEST_F(InstallerBuilderTest, TheChecksumCoversTheWholeInstallerOfEitherFormat) {
  for (const uint16_t magic : {uint16_t{0x10b}, uint16_t{0x20b}}) {
    std::vector<uint8_t> stub = testing::MakeStub();
    stub[0x118] = static_cast<uint8_t>(magic);
    stub[0x119] = static_cast<uint8_t>(magic >> 8);
    stub[0x100 + 24 + 64] = 0x5A;  // a stale checksum of the bare program
    testing::WriteFile(folder_.StubPath(), std::string(stub.begin(), stub.end()));
    BuildInstaller(LoadPackage(), Options());
    TFileStream installer(folder_.Path("Setup.exe"), FileMode::kOpenRead);
    constexpr int64_t kChecksum = 0x100 + 24 + 64;
    uint8_t stored[4] = {};
    installer.Seek(kChecksum, SeekOrigin::kBeginning);
    installer.ReadBuffer(stored, 4);
    const uint32_t checksum = PeChecksum(installer, kChecksum);
    EXPECT_EQ(stored[0] | stored[1] << 8 | stored[2] << 16 | uint32_t{stored[3]} << 24, checksum)
        << magic;
    // The sum of the words plus the length: more than the length unless every word is zero.
    EXPECT_GT(checksum, static_cast<uint32_t>(installer.Size())) << magic;
  }
}

TEST_F(InstallerBuilderTest, TheRecordReaderLoadsWhatTheBuilderWrote) {
  const Manifest manifest = LoadPackage();
  BuildInstaller(manifest, Options());
  const std::string output = folder_.Path("Setup.exe");
  const std::string bytes = ReadFile(output);
  const std::string stub = ReadFile(folder_.StubPath());
  ASSERT_GT(bytes.size(), stub.size());
  EXPECT_EQ(bytes.substr(0, kPayloadPointerOffset), stub.substr(0, kPayloadPointerOffset));
  // The stub's bytes stay, except the record pointer and the checksum of the optional header.
  constexpr size_t kChecksum = 0x100 + 24 + 64;
  EXPECT_EQ(bytes.substr(140, kChecksum - 140), stub.substr(140, kChecksum - 140));
  EXPECT_EQ(bytes.substr(kChecksum + 4, stub.size() - kChecksum - 4), stub.substr(kChecksum + 4));
  EXPECT_EQ(bytes.substr(stub.size(), 4), "XAIN");

  TXaInstall package;
  package.LoadFromFile(output);
  EXPECT_EQ(package.ProgramName, "Sample Trend Indicator");
  EXPECT_EQ(package.VersionMajor, 2);
  EXPECT_EQ(package.VersionMinor, 10);
  EXPECT_EQ(package.VersionBuild, 3);
  EXPECT_EQ(package.Publisher, "Pub");
  EXPECT_EQ(package.SettingsOverride, "11 0");
  EXPECT_EQ(package.ReadmeText, manifest.readme);
  EXPECT_EQ(package.LicenseText, manifest.license);
  EXPECT_EQ(package.Banner, manifest.banner);
  EXPECT_EQ(package.ContentKey, kKey);
  ASSERT_EQ(package.Files.size(), 2u);
  const char* sources[] = {"mql4/Sample.ex4", "mql4/Expert.ex4"};
  int64_t next_offset = package.Files[0]->Offset;
  for (size_t i = 0; i < 2; ++i) {
    const TXaInstallFile& file = *package.Files[i];
    EXPECT_EQ(file.TargetPath, manifest.files[i].target);
    EXPECT_EQ(file.ShortcutName, manifest.files[i].shortcut);
    EXPECT_EQ(file.CreationTime, manifest.files[i].times.creation);
    EXPECT_EQ(file.LastWriteTime, manifest.files[i].times.last_write);
    EXPECT_EQ(file.Offset, next_offset);
    EXPECT_EQ(Decipher(output, file, kKey), ReadFile(folder_.Path(sources[i])));
    next_offset += file.Size;
  }
  // The contents run back to back to the end of the file, the first right after the payload's
  // end marker (id -1, type 0).
  EXPECT_EQ(next_offset, static_cast<int64_t>(bytes.size()));
  EXPECT_EQ(bytes.substr(package.Files[0]->Offset - 5, 5), std::string("\xFF\xFF\xFF\xFF\0", 5));
}

TEST_F(InstallerBuilderTest, TheSameKeyGivesTheSameBytes) {
  const Manifest manifest = LoadPackage();
  BuildInstaller(manifest, Options());
  const std::string first = ReadFile(folder_.Path("Setup.exe"));
  BuildInstaller(manifest, Options());
  EXPECT_EQ(ReadFile(folder_.Path("Setup.exe")), first);
  ContentKey other = kKey;
  other[15] ^= 1;
  BuildInstaller(manifest, Options(other));
  EXPECT_NE(ReadFile(folder_.Path("Setup.exe")), first);
}

TEST_F(InstallerBuilderTest, WithoutAKeyEveryBuildDrawsANewOne) {
  const Manifest manifest = LoadPackage();
  BuildInstaller(manifest, Options(std::nullopt));
  TXaInstall first;
  first.LoadFromFile(folder_.Path("Setup.exe"));
  BuildInstaller(manifest, Options(std::nullopt));
  TXaInstall second;
  second.LoadFromFile(folder_.Path("Setup.exe"));
  EXPECT_NE(first.ContentKey, second.ContentKey);
  EXPECT_NE(first.ContentKey, ContentKey{});
}

TEST_F(InstallerBuilderTest, AFailureKeepsAnOlderOutputAndLeavesNoTemporaryFile) {
  const Manifest manifest = LoadPackage();
  testing::WriteFile(folder_.Path("Setup.exe"), "older installer");
  const std::vector<std::string> before = folder_.FileNames();
  // The source shrinks between reading the manifest and building.
  testing::WriteFile(folder_.Path("mql4/Sample.ex4"), "short");
  try {
    BuildInstaller(manifest, Options());
    ADD_FAILURE() << "no error";
  } catch (const SourceError& e) {
    EXPECT_NE(std::string(e.what()).find("Sample.ex4\" became shorter"), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(ReadFile(folder_.Path("Setup.exe")), "older installer");
  EXPECT_EQ(folder_.FileNames(), before);
}

TEST_F(InstallerBuilderTest, RefusesAStubThatAlreadyCarriesARecord) {
  const Manifest manifest = LoadPackage();
  BuildInstaller(manifest, Options());
  BuildOptions options = Options();
  options.stub_path = folder_.Path("Setup.exe");
  options.output_path = folder_.Path("Setup2.exe");
  EXPECT_THROW(BuildInstaller(manifest, options), Exception);
  EXPECT_FALSE(testing::Exists(options.output_path));
}

}  // namespace
}  // namespace xa::xapack
