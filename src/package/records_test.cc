#include <gtest/gtest.h>

#include "package/errors.h"
#include "package/memory_stream.h"
#include "package/package_writer.h"
#include "package/record_location.h"
#include "package/record_tags.h"
#include "package/scramble.h"
#include "package/tag_stream.h"
#include "package/xa_install.h"
#include "package/xa_uninstall.h"

namespace xa {
namespace {

constexpr int32_t kStubSize = 200;

// A stub of kStubSize bytes that starts like a program; the record pointer is left 0.
std::vector<uint8_t> Stub() {
  std::vector<uint8_t> stub(kStubSize, 0x90);
  stub[0] = 'M';
  stub[1] = 'Z';
  std::fill_n(stub.begin() + kPayloadPointerOffset, 4, uint8_t{0});
  return stub;
}

// A stub followed by a record written by `write`, with the pointer stamped.
template <typename Write>
TMemoryStream Executable(Write write) {
  TMemoryStream stream(Stub());
  stream.Seek(0, SeekOrigin::kEnd);
  TTagStreamAdapter adapter(stream);
  write(adapter);
  StampRecordPointer(stream, kStubSize);
  return stream;
}

TEST(InstallRecordTest, LoadsWhatThePackageWriterWrote) {
  TXaInstall package;
  package.ProgramName = "Sample Trend Indicator";
  package.VersionMajor = 2;
  package.VersionMinor = 10;
  package.VersionBuild = 3;
  package.VersionRelease = 4;
  package.Publisher = "Pub";
  package.Website = "https://example.com";
  package.Address = "1 Road\r\nTown";
  package.ContactName = "Ann";
  package.ContactEmail = "ann@example.com";
  package.LicenseText = "{\\rtf1 licence}";
  package.ReadmeText = "{\\rtf1 readme}";
  package.WhatsNewText = "{\\rtf1 new}";
  package.SettingsOverride = "11 0";
  package.Banner = {0xFF, 0xD8, 1, 2, 3};
  for (int i = 0; i < 16; ++i)
    package.ContentKey[i] = static_cast<uint8_t>(i * 17);
  const std::vector<std::string> contents_text = {"", std::string(17, 'x'), std::string(100, 'y')};
  std::vector<TMemoryStream> contents;
  std::vector<TStream*> sources;
  for (size_t i = 0; i < contents_text.size(); ++i) {
    TXaInstallFile& file = package.AddFile();
    file.TargetPath = "{metatrader}\\experts\\f" + std::to_string(i) + ".ex4";
    file.CreationTime = 0x01DC000000000000ull + i;
    file.LastWriteTime = 0x01DCFFFFFFFFFFFFull - i;
    file.ShortcutName = i == 1 ? "Manual" : "";
    contents.emplace_back(std::vector<uint8_t>(contents_text[i].begin(), contents_text[i].end()));
  }
  for (TMemoryStream& c : contents)
    sources.push_back(&c);
  TMemoryStream stub(Stub());
  TMemoryStream installer;
  WriteInstaller(package, sources, stub, installer);

  TXaInstall loaded;
  loaded.LoadFromStream(installer);
  EXPECT_EQ(loaded.ProgramName, package.ProgramName);
  EXPECT_EQ(loaded.VersionMajor, 2);
  EXPECT_EQ(loaded.VersionMinor, 10);
  EXPECT_EQ(loaded.VersionBuild, 3);
  EXPECT_EQ(loaded.VersionRelease, 4);
  EXPECT_EQ(loaded.Address, package.Address);
  EXPECT_EQ(loaded.ContactEmail, package.ContactEmail);
  EXPECT_EQ(loaded.WhatsNewText, package.WhatsNewText);
  EXPECT_EQ(loaded.SettingsOverride, "11 0");
  EXPECT_EQ(loaded.Banner, package.Banner);
  EXPECT_EQ(loaded.ContentKey, package.ContentKey);
  ASSERT_EQ(loaded.Files.size(), 3u);
  const std::vector<int32_t> stored_sizes = {16, 32, 112};
  int32_t expected_offset = loaded.Files[0]->Offset;
  for (size_t i = 0; i < 3; ++i) {
    const TXaInstallFile& file = *loaded.Files[i];
    EXPECT_EQ(file.TargetPath, package.Files[i]->TargetPath);
    EXPECT_EQ(file.CreationTime, package.Files[i]->CreationTime);
    EXPECT_EQ(file.LastWriteTime, package.Files[i]->LastWriteTime);
    EXPECT_EQ(file.ShortcutName, package.Files[i]->ShortcutName);
    EXPECT_EQ(file.Size, stored_sizes[i]);
    EXPECT_EQ(file.Offset, expected_offset);
    expected_offset += file.Size;
  }
  EXPECT_EQ(expected_offset, installer.Size());
  // The first content starts right after the payload's end marker.
  const std::vector<uint8_t>& bytes = installer.Bytes();
  const int32_t first = loaded.Files[0]->Offset;
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + first - 5, bytes.begin() + first),
            (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0}));
}

TEST(InstallRecordTest, KeepsDefaultsWithoutARecord) {
  struct Case {
    const char* name;
    int32_t pointer;
    size_t size;
  };
  const Case cases[] = {
      {"pointer 0 names the MZ header", 0, 300},
      {"pointer past the end", 100000, 300},
      {"negative pointer", -4, 300},
      {"pointer at the very end", 300, 300},
      {"file shorter than the pointer", 0, 138},
  };
  for (const Case& c : cases) {
    TMemoryStream stream(Stub());
    StampRecordPointer(stream, c.pointer);
    stream.Bytes().resize(c.size);
    TXaInstall record;
    record.ProgramName = "stale";
    record.TerminalFolders = {"C:\\MT4"};
    record.LoadFromStream(stream);
    EXPECT_EQ(record.ProgramName, "") << c.name;
    EXPECT_EQ(record.VersionMajor, 1) << c.name;
    EXPECT_EQ(record.VersionMinor, 0) << c.name;
    EXPECT_TRUE(record.Files.empty()) << c.name;
    EXPECT_EQ(record.TerminalFolders.size(), 1u) << c.name;
  }
}

TEST(InstallRecordTest, AnUninstallRecordIsForeignToTheInstaller) {
  TMemoryStream stream = Executable([](TTagStreamAdapter& a) {
    a.WriteMagic(MagicOf(kUninstallMagic));
    a.WriteString(kTagProgramName, ScrambleText("Other"));
  });
  TXaInstall record;
  record.LoadFromStream(stream);
  EXPECT_EQ(record.ProgramName, "");
}

TEST(InstallRecordTest, FileEntriesTimesAndRepeatedTags) {
  TMemoryStream stream = Executable([](TTagStreamAdapter& a) {
    a.WriteMagic(MagicOf(kInstallMagic));
    a.WriteString(kTagProgramName, ScrambleText("first"));
    a.WriteString(kTagProgramName, ScrambleText("second"));
    a.WriteInteger(kTagVersionMinor, 5);
    a.WriteTagHeader(kTagFile, kTagList);
    a.WriteInteger(kTagCreationLow, 1);
    a.WriteInteger(kTagCreationHigh, 2);
    a.WriteInteger(kTagLastWriteLow, -1);
    a.WriteString(99, "unknown sub-tag");
    a.WriteEndMarker();
    a.WriteTagHeader(kTagFile, kTagList);
    a.WriteEndMarker();
    a.WriteTagHeader(kTagFile, kTagList);
    a.WriteString(kTagTargetPath, ScrambleText("{app}\\x"));
    a.WriteEndMarker();
    a.WriteEndMarker();
    a.WriteString(kTagProgramName, ScrambleText("after the end marker"));
  });
  TXaInstall record;
  record.LoadFromStream(stream);
  EXPECT_EQ(record.ProgramName, "second");
  EXPECT_EQ(record.VersionMajor, 1);
  EXPECT_EQ(record.VersionMinor, 5);
  ASSERT_EQ(record.Files.size(), 3u);
  EXPECT_EQ(record.Files[0]->CreationTime, 2ull * 0x100000000ull + 1);
  EXPECT_EQ(record.Files[0]->LastWriteTime, 0xFFFFFFFFull);
  EXPECT_EQ(record.Files[1]->TargetPath, "");
  EXPECT_EQ(record.Files[1]->Size, 0);
  EXPECT_EQ(record.Files[2]->TargetPath, "{app}\\x");
}

TEST(InstallRecordTest, KeyTagsOfOtherLengthsStoreAtMost16Bytes) {
  for (int32_t length : {4, 16, 40}) {
    TMemoryStream stream = Executable([length](TTagStreamAdapter& a) {
      a.WriteMagic(MagicOf(kInstallMagic));
      TMemoryStream key(std::vector<uint8_t>(static_cast<size_t>(length), 0xA7 ^ 0x11));
      a.WriteStream(kTagContentKey, key, length);
      a.WriteInteger(kTagVersionBuild, 9);
    });
    TXaInstall record;
    record.LoadFromStream(stream);
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(record.ContentKey[i], i < length ? 0x11 : 0) << length << " byte " << i;
    EXPECT_EQ(record.VersionBuild, 9) << length;
  }
}

TEST(InstallRecordTest, ACutOffBannerRaisesAndACutOffTextEndsQuietly) {
  TMemoryStream banner = Executable([](TTagStreamAdapter& a) {
    a.WriteMagic(MagicOf(kInstallMagic));
    TMemoryStream picture(std::vector<uint8_t>(100, 0xD8));
    a.WriteStream(kTagInstallBanner, picture, 100);
  });
  banner.Bytes().resize(banner.Bytes().size() - 3);
  TXaInstall record;
  EXPECT_THROW(record.LoadFromStream(banner), EStreamError);

  TMemoryStream text = Executable([](TTagStreamAdapter& a) {
    a.WriteMagic(MagicOf(kInstallMagic));
    a.WriteInteger(kTagVersionMajor, 7);
    a.WriteString(kTagPublisher, ScrambleText("A long publisher name"));
  });
  text.Bytes().resize(text.Bytes().size() - 10);
  record.LoadFromStream(text);
  EXPECT_EQ(record.VersionMajor, 7);
}

TEST(InstallRecordTest, APayloadCutBeforeItsEndMarkerIsCutShort) {
  TXaInstall package;
  package.ProgramName = "Cut";
  package.AddFile().TargetPath = "{app}\\a.txt";
  package.AddFile().TargetPath = "{app}\\b.txt";
  TMemoryStream first(std::vector<uint8_t>(20, 'a'));
  TMemoryStream second(std::vector<uint8_t>(3, 'b'));
  TMemoryStream stub(Stub());
  TMemoryStream installer;
  WriteInstaller(package, {&first, &second}, stub, installer);
  const std::vector<uint8_t> whole = installer.Bytes();
  const int64_t payload_end = package.Files[0]->Offset;

  TXaInstall loaded;
  loaded.LoadFromStream(installer);
  EXPECT_FALSE(loaded.CutShort);
  // Cut inside the magic, inside a text, inside the second entry and just before the marker.
  for (const int64_t size :
       {int64_t{kStubSize} + 2, int64_t{kStubSize} + 20, payload_end - 12, payload_end - 1}) {
    TMemoryStream cut(
        std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
    loaded.LoadFromStream(cut);
    EXPECT_EQ(loaded.CutShort, size >= kStubSize + 4) << size;
  }
  // Cut inside the contents: the payload itself is whole.
  TMemoryStream contents_cut(std::vector<uint8_t>(whole.begin(), whole.end() - 8));
  loaded.LoadFromStream(contents_cut);
  EXPECT_FALSE(loaded.CutShort);
  EXPECT_EQ(loaded.Files.size(), 2u);
}

TEST(UninstallRecordTest, SaveAndLoadRoundTrip) {
  TXaInstall install;
  install.ProgramName = "Sample";
  install.VersionMajor = 3;
  install.VersionMinor = 1;
  install.Publisher = "Pub";
  install.ContactEmail = "a@b";
  install.Banner = {0xFF, 0xD8, 0xFF, 0xD9};
  install.InstalledItems = {{"C:\\A", 1}, {"C:\\A\\B", 0}, {"C:\\A\\C", 0}, {"C:\\D", 1}};
  TMemoryStream uninstaller(Stub());
  uninstaller.Seek(0, SeekOrigin::kEnd);
  install.SaveUninstallRecord(uninstaller);
  EXPECT_EQ(uninstaller.Position(), 140);

  TTagStreamAdapter pointer(uninstaller);
  uninstaller.Seek(kPayloadPointerOffset, SeekOrigin::kBeginning);
  EXPECT_EQ(pointer.ReadInteger(), kStubSize);
  uninstaller.Seek(kStubSize, SeekOrigin::kBeginning);
  EXPECT_TRUE(pointer.CheckMagic(MagicOf(kUninstallMagic)));
  std::vector<int32_t> ids;
  while (pointer.ReadTag()) {
    ids.push_back(pointer.TagId);
    pointer.SkipValue();
  }
  EXPECT_EQ(ids, (std::vector<int32_t>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 14, 13}));

  TXaUninstall loaded;
  loaded.LoadFromStream(uninstaller);
  EXPECT_EQ(loaded.ProgramName, "Sample");
  EXPECT_EQ(loaded.VersionMajor, 3);
  EXPECT_EQ(loaded.VersionMinor, 1);
  EXPECT_EQ(loaded.Publisher, "Pub");
  EXPECT_EQ(loaded.ContactEmail, "a@b");
  EXPECT_EQ(loaded.Banner, install.Banner);
  EXPECT_EQ(loaded.RecordedFolders, (std::vector<std::string>{"C:\\A", "C:\\D"}));
  EXPECT_EQ(loaded.RecordedFiles, (std::vector<std::string>{"C:\\A\\B", "C:\\A\\C"}));
  EXPECT_TRUE(loaded.RecordFound);
  TMemoryStream bare_stub(Stub());
  loaded.LoadFromStream(bare_stub);
  EXPECT_FALSE(loaded.RecordFound);

  TXaInstall wrong_role;
  wrong_role.LoadFromStream(uninstaller);
  EXPECT_EQ(wrong_role.ProgramName, "");
}

TEST(UninstallRecordTest, NoBannerTagForAnEmptyBanner) {
  TXaInstall install;
  TMemoryStream uninstaller(Stub());
  uninstaller.Seek(0, SeekOrigin::kEnd);
  install.SaveUninstallRecord(uninstaller);
  TXaUninstall loaded;
  loaded.LoadFromStream(uninstaller);
  EXPECT_TRUE(loaded.Banner.empty());
  EXPECT_TRUE(loaded.RecordedFiles.empty());
}

TEST(ProgressTest, ReportsRoundedUnclampedPercent) {
  TXaInstall record;
  std::vector<int32_t> percents;
  std::vector<std::string> messages;
  record.OnProgress = [&](TXaData& sender, const std::string& message, int32_t percent) {
    EXPECT_EQ(&sender, &record);
    messages.push_back(message);
    percents.push_back(percent);
  };
  record.StepsExpected = 3;
  for (int i = 0; i < 4; ++i)
    record.Progress("step", 1);
  EXPECT_EQ(percents, (std::vector<int32_t>{33, 67, 100, 133}));
  EXPECT_EQ(messages.size(), 4u);

  record.StepsExpected = 0;
  record.Progress("none expected", 1);
  EXPECT_EQ(percents.back(), -1);

  record.OnProgress = nullptr;
  record.Progress("silent", 1);
  EXPECT_EQ(record.StepsDone, 6);
}

TEST(ProgressTest, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(1, 100, 8), 13);
  EXPECT_EQ(MulDiv(-1, 100, 8), -13);
  EXPECT_EQ(MulDiv(1, 100, -8), -13);
  EXPECT_EQ(MulDiv(2000000000, 100, 3), -1);
  EXPECT_EQ(MulDiv(5, 100, 0), -1);
}

}  // namespace
}  // namespace xa
