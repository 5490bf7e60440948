#include "xapack/cli.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "package/executable_path.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_writer.h"
#include "package/xa_install.h"
#include "xapack/file_time.h"
#include "xapack/os_services.h"
#include "xapack/stored_content.h"
#include "xapack/testing/package_fixture.h"

namespace xa::xapack {
namespace {

using testing::PackageFolder;
using testing::ReadFile;

constexpr char kKey[] = "2b7e151628aed2a6abf7158809cf4f3c";

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunXapackWith(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunXapack(args, out, err);
  return {status, out.str(), err.str()};
}

// An error is exactly one line on stderr, naming `subject` after the program's name.
void ExpectOneLineError(const Result& result, const std::string& subject, const std::string& text) {
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("xapack: " + subject, 0), 0u) << result.err;
  EXPECT_NE(result.err.find(text), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
}

class CliTest : public ::testing::Test {
 protected:
  std::string BuildDefault() {
    const std::string manifest = folder_.WriteManifest(PackageFolder::DefaultManifest());
    const std::string output = folder_.Path("Setup.exe");
    const Result result = RunXapackWith(
        {"build", manifest, "-o", output, "--stub", folder_.StubPath(), "--key", kKey});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    return output;
  }

  PackageFolder folder_;
};

// A terminal file outside the folders current terminals read is built, with one warning line
// that names the layout they expect.
TEST_F(CliTest, AnOldTerminalLayoutWarnsButBuilds) {
  std::string text = PackageFolder::DefaultManifest();
  const std::string from = "{metatrader}\\\\MQL4\\\\Experts\\\\Sample.ex4";
  text.replace(text.find(from), from.size(), "{metatrader}\\\\experts\\\\Sample.ex4");
  const std::string manifest = folder_.WriteManifest(text);
  const std::string output = folder_.Path("Setup.exe");
  const Result result =
      RunXapackWith({"build", manifest, "-o", output, "--stub", folder_.StubPath(), "--key", kKey});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(testing::Exists(output));
  EXPECT_EQ(result.err.rfind("xapack: warning: " + manifest +
                                 ": [[file]] 1 target \"{metatrader}\\experts\\Sample.ex4\" is not "
                                 "below MQL4\\",
                             0),
            0u)
      << result.err;
  EXPECT_NE(result.err.find("MQL4\\Experts, MQL4\\Indicators"), std::string::npos);
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
}

TEST_F(CliTest, ExtractGivesBackTheSourcesWithTheirTimes) {
  const std::string installer = BuildDefault();
  const std::string out = folder_.Path("out");
  const Result result = RunXapackWith({"extract", installer, "-C", out});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string sample = out + "/{metatrader}/MQL4/Experts/Sample.ex4";
  const std::string expert = out + "/{app}/Expert.ex4";
  EXPECT_EQ(ReadFile(sample), ReadFile(folder_.Path("mql4/Sample.ex4")));
  EXPECT_EQ(ReadFile(expert), ReadFile(folder_.Path("mql4/Expert.ex4")));
  EXPECT_EQ(FormatFileTime(ReadFileTimes(sample).last_write), "2026-01-31T23:59:59Z");
  EXPECT_EQ(ReadFileTimes(expert).last_write,
            ReadFileTimes(folder_.Path("mql4/Expert.ex4")).last_write);
}

TEST_F(CliTest, ListShowsTheRecordAsTextAndJson) {
  const std::string installer = BuildDefault();
  const Result text = RunXapackWith({"list", installer});
  ASSERT_EQ(text.status, 0) << text.err;
  const char* lines[] = {
      "Role: install\n",
      "Name: Sample Trend Indicator\n",
      "Version: 2.10, build 3, release 0\n",
      "Banner: 7167 bytes, 160 x 320 pixels\n",
      "Settings override: \"11 0\"\n",
      "Readme: 14 bytes\n",
      "Files: 2\n",
      "  {metatrader}\\MQL4\\Experts\\Sample.ex4  size 1015, stored 1024 at offset ",
      ", created 2026-01-31T23:59:59Z, written 2026-01-31T23:59:59Z, shortcut \"Sample manual\"\n",
      "  {app}\\Expert.ex4  size 32, stored 48 at offset ",
  };
  for (const char* line : lines)
    EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;

  const Result json = RunXapackWith({"list", "--json", installer});
  ASSERT_EQ(json.status, 0) << json.err;
  const char* members[] = {
      "\"role\": \"install\"",
      "\"name\": \"Sample Trend Indicator\"",
      "\"version_major\": 2",
      "\"version_minor\": 10",
      "\"version_build\": 3",
      "\"version_release\": 0",
      "\"publisher\": \"Pub\"",
      "\"address\": \"\"",
      "\"settings_override\": \"11 0\"",
      "\"readme_size\": 14",
      "\"whats_new_size\": 0",
      "\"banner_size\": 7167",
      "\"target\": \"{metatrader}\\\\MQL4\\\\Experts\\\\Sample.ex4\"",
      "\"size\": 1015",
      "\"stored_size\": 1024",
      "\"creation_time\": \"2026-01-31T23:59:59Z\"",
      "\"shortcut\": \"Sample manual\"",
      "\"recorded_folders\": []",
  };
  for (const char* member : members)
    EXPECT_NE(json.out.find(member), std::string::npos) << member << "\n" << json.out;
  EXPECT_EQ(json.out.front(), '{');
  EXPECT_EQ(json.out.substr(json.out.size() - 2), "}\n");
}

TEST_F(CliTest, ListsAnUninstaller) {
  TXaInstall install;
  install.ProgramName = "Sample";
  install.InstalledItems = {{"C:\\Program Files\\Sample", kInstalledFolder},
                            {"C:\\Program Files\\Sample\\a.txt", 0}};
  const std::vector<uint8_t> stub = testing::MakeStub();
  const std::string path = folder_.Path("Uninstall.exe");
  {
    TFileStream file(path, FileMode::kCreate);
    file.WriteBuffer(stub.data(), static_cast<int64_t>(stub.size()));
    install.SaveUninstallRecord(file);
  }
  const Result text = RunXapackWith({"list", path});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("Role: uninstall\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Recorded folders: 1\n  C:\\Program Files\\Sample\n"), std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("Recorded files: 1\n  C:\\Program Files\\Sample\\a.txt\n"),
            std::string::npos);
  const Result json = RunXapackWith({"list", "--json", path});
  EXPECT_NE(
      json.out.find("\"recorded_files\": [\n    \"C:\\\\Program Files\\\\Sample\\\\a.txt\"\n  ]"),
      std::string::npos)
      << json.out;
  ExpectOneLineError(RunXapackWith({"extract", path, "-C", folder_.Path("out")}), path,
                     "is an uninstaller");
}

TEST_F(CliTest, BuildsTheSamplePackage) {
  const std::string output = folder_.Path("Setup.exe");
  const Result build = RunXapackWith(
      {"build", XA_SAMPLE_PACKAGE_DIR "/package.toml", "-o", output, "--stub", folder_.StubPath()});
  ASSERT_EQ(build.status, 0) << build.err;
  const Result list = RunXapackWith({"list", output});
  EXPECT_NE(list.out.find("Files: 3\n"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("160 x 320 pixels"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("{metatrader}\\MQL4\\Indicators\\"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("shortcut \""), std::string::npos) << list.out;
}

struct UsageCase {
  std::vector<std::string> args;
  const char* text;
};

TEST(CliUsageTest, UsageErrorsExitWithOneLine) {
  const UsageCase cases[] = {
      {{"pack"}, "unknown command \"pack\""},
      {{"build", "p.toml"}, "build needs -o"},
      {{"build", "p.toml", "-o"}, "-o needs a value"},
      {{"build", "p.toml", "-o", "a", "-o", "b"}, "-o is given twice"},
      {{"build", "p.toml", "-o", "a", "--key", "12"}, "--key needs 32 hexadecimal digits"},
      {{"build", "-o", "a"}, "build takes exactly one MANIFEST"},
      {{"list"}, "list takes exactly one FILE"},
      {{"list", "a", "b"}, "list takes exactly one FILE"},
      {{"list", "--jsn", "a"}, "unknown option --jsn"},
      {{"extract", "a"}, "extract needs -C"},
      {{"init"}, "init takes exactly one FOLDER"},
      {{"init", "a", "b"}, "init takes exactly one FOLDER"},
  };
  for (const UsageCase& c : cases) {
    SCOPED_TRACE(c.text);
    ExpectOneLineError(RunXapackWith(c.args), "", c.text);
  }
}

TEST(CliUsageTest, NoArgumentsGiveTheUsageOnStandardError) {
  const Result bare = RunXapackWith({});
  EXPECT_EQ(bare.status, 1);
  EXPECT_EQ(bare.out, "");
  EXPECT_EQ(bare.err.rfind("usage: xapack init FOLDER\n", 0), 0u) << bare.err;
  EXPECT_NE(bare.err.find("xapack --help | --version\n"), std::string::npos) << bare.err;
}

TEST(CliUsageTest, HelpNamesEveryCommand) {
  for (const char* option : {"--help", "-h", "help"}) {
    const Result help = RunXapackWith({option});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* text :
         {"xapack init FOLDER", "xapack build MANIFEST -o Setup.exe", "xapack list FILE [--json]",
          "xapack extract FILE -C DIR", "  init FOLDER ", "beside the folder", "  --version "}) {
      EXPECT_NE(help.out.find(text), std::string::npos) << option << ": " << text;
    }
  }
}

TEST(CliUsageTest, VersionIsTheProjectsVersion) {
  const Result version = RunXapackWith({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("xapack [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.out;
}

TEST_F(CliTest, InitWritesAManifestThatBuildsAndKeepsIt) {
  testing::WriteFile(folder_.Path("My EA/MQL4/Experts/My EA.ex4"), "ex4");
  testing::WriteFile(folder_.Path("My EA/notes.txt"), "notes");
  const Result init = RunXapackWith({"init", folder_.Path("My EA")});
  ASSERT_EQ(init.status, 0) << init.err;
  const std::string manifest = folder_.Path("package.toml");
  EXPECT_EQ(init.out, "xapack: wrote " + manifest +
                          " with 1 package file; 1 other file listed in its comments\n");
  const std::string output = folder_.Path("Setup.exe");
  const Result build =
      RunXapackWith({"build", manifest, "-o", output, "--stub", folder_.StubPath()});
  EXPECT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.err, "");
  EXPECT_NE(RunXapackWith({"list", output}).out.find("{metatrader}\\MQL4\\Experts\\My EA.ex4"),
            std::string::npos);

  const std::string text = ReadFile(manifest);
  ExpectOneLineError(RunXapackWith({"init", folder_.Path("My EA")}), manifest + ": already exists",
                     "never replaces a manifest");
  EXPECT_EQ(ReadFile(manifest), text);
}

struct BuildRefusal {
  const char* name;
  std::string from;
  std::string to;
  const char* text;
};

// Every refusal of a build names the manifest (or the stub) and leaves no file behind.
TEST_F(CliTest, RefusedBuildsLeaveNoOutput) {
  const BuildRefusal cases[] = {
      {"empty name", "\"Sample Trend Indicator\"", "\"\"", "name must not be empty"},
      {"missing source", "mql4/Expert.ex4", "mql4/None.ex4", "does not exist"},
      {"no macro", "{app}\\\\Expert.ex4", "Expert.ex4", "known macro"},
      {"dot dot", "{app}\\\\Expert.ex4", "{app}\\\\..\\\\Expert.ex4", "\"..\""},
      {"same target", "{app}\\\\Expert.ex4", "{metatrader}\\\\MQL4\\\\Experts\\\\Sample.ex4",
       "is used twice"},
      {"banner", "art/banner.jpg", "mql4/Expert.ex4", "is not a JPEG picture"},
  };
  const std::vector<std::string> before = folder_.FileNames();
  for (const BuildRefusal& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = PackageFolder::DefaultManifest();
    text.replace(text.find(c.from), c.from.size(), c.to);
    const std::string manifest = folder_.WriteManifest(text);
    const Result result = RunXapackWith(
        {"build", manifest, "-o", folder_.Path("Setup.exe"), "--stub", folder_.StubPath()});
    ExpectOneLineError(result, manifest + ": ", c.text);
    std::vector<std::string> after = folder_.FileNames();
    std::erase(after, "package.toml");
    EXPECT_EQ(after, before);
  }
}

TEST_F(CliTest, RefusesStubsThatCannotCarryARecord) {
  const std::string manifest = folder_.WriteManifest(PackageFolder::DefaultManifest());
  const std::vector<uint8_t> unrelocated = testing::MakeStub(0x80);
  const std::string stub = folder_.Path("plain.exe");
  testing::WriteFile(stub, std::string(unrelocated.begin(), unrelocated.end()));
  const std::string output = folder_.Path("Setup.exe");
  ExpectOneLineError(RunXapackWith({"build", manifest, "-o", output, "--stub", stub}), stub + ": ",
                     "overlaps the record pointer at offset 136");
  EXPECT_FALSE(testing::Exists(output));

  const std::string installer = BuildDefault();
  const std::string second = folder_.Path("Setup2.exe");
  ExpectOneLineError(RunXapackWith({"build", manifest, "-o", second, "--stub", installer}),
                     installer + ": ", "already carries");
  EXPECT_FALSE(testing::Exists(second));

  // A signed program: sixteen directories, the certificate table behind the image.
  std::vector<uint8_t> signed_stub = testing::MakeStub();
  signed_stub[0x118 + 92] = 16;
  signed_stub[0x118 + 128 + 1] = 0x04;  // at 0x400
  signed_stub[0x118 + 132] = 0x80;      // 128 bytes
  signed_stub.resize(0x480);
  const std::string signed_path = folder_.Path("signed.exe");
  testing::WriteFile(signed_path, std::string(signed_stub.begin(), signed_stub.end()));
  ExpectOneLineError(RunXapackWith({"build", manifest, "-o", second, "--stub", signed_path}),
                     signed_path + ": ", "sign the installer after building");
  EXPECT_FALSE(testing::Exists(second));
  EXPECT_FALSE(testing::Exists(second + ".xapack-part"));

  // Without --stub the wizard program beside xapack is the stub; a build tree may hold one.
  const std::string self = ExecutablePath();
  const std::string beside = self.substr(0, self.find_last_of("/\\") + 1) + kDefaultStubName;
  const Result default_stub = RunXapackWith({"build", manifest, "-o", second});
  if (testing::Exists(beside)) {
    EXPECT_EQ(default_stub.status, 0) << default_stub.err;
    EXPECT_EQ(ReadFile(second).substr(0, 2), "MZ");
  } else {
    ExpectOneLineError(default_stub, "no --stub given",
                       "\"xasetup.exe\" beside xapack; name one with --stub");
    EXPECT_FALSE(testing::Exists(second));
  }
}

#ifndef _WIN32
// A sparse source file makes a package over 2 GiB without writing 2 GiB.
TEST_F(CliTest, RefusesPackagesBeyondTheFormatsOffsets) {
  {
    TFileStream huge(folder_.Path("mql4/Huge.bin"), FileMode::kCreate);
    huge.Seek(int64_t{1} << 31, SeekOrigin::kBeginning);
    huge.WriteBuffer("x", 1);
  }
  std::string text = PackageFolder::DefaultManifest();
  text.replace(text.find("mql4/Expert.ex4"), 15, "mql4/Huge.bin");
  const std::string manifest = folder_.WriteManifest(text);
  const std::string output = folder_.Path("Setup.exe");
  ExpectOneLineError(
      RunXapackWith({"build", manifest, "-o", output, "--stub", folder_.StubPath(), "--key", kKey}),
      manifest + ": ", "an installer holds at most 2 GiB");
  EXPECT_FALSE(testing::Exists(output));
}
#endif

// Writes an installer whose single file has `target`, as a hostile builder could.
std::string WriteRawInstaller(const PackageFolder& folder, const std::string& target) {
  TXaInstall package;
  package.ProgramName = "Hostile";
  package.AddFile().TargetPath = target;
  TMemoryStream content(std::vector<uint8_t>(40, 'h'));
  TMemoryStream stub(testing::MakeStub());
  const std::string path = folder.Path("Hostile.exe");
  TFileStream output(path, FileMode::kCreate);
  WriteInstaller(package, {&content}, stub, output);
  return path;
}

TEST_F(CliTest, ExtractRefusesTargetsThatWouldEscapeTheFolder) {
  const char* targets[] = {
      "{app}\\..\\..\\evil.txt",   "..\\evil.txt",        "/tmp/evil.txt", "{app}\\C:\\evil.txt",
      "{app}\\{windir}\\evil.txt", "{app}\\.. \\evil.txt"};
  for (const char* target : targets) {
    SCOPED_TRACE(target);
    const std::string installer = WriteRawInstaller(folder_, target);
    const std::string out = folder_.Path("out");
    ExpectOneLineError(RunXapackWith({"extract", installer, "-C", out}),
                       installer + ": file entry 1", "is not a safe path");
    EXPECT_FALSE(testing::Exists(out));
    EXPECT_FALSE(testing::Exists(folder_.Path("evil.txt")));
  }
}

TEST_F(CliTest, DamagedInstallersGiveAClearErrorAndNoPartialFile) {
  const std::string installer = BuildDefault();
  const std::string bytes = ReadFile(installer);
  const std::string out = folder_.Path("out");

  testing::WriteFile(installer, bytes.substr(0, bytes.size() - 1));
  ExpectOneLineError(RunXapackWith({"extract", installer, "-C", out}), installer + ": file entry 2",
                     "runs past the end of the file");
  ExpectOneLineError(RunXapackWith({"list", installer}), installer + ": file entry 2",
                     "runs past the end of the file");
  EXPECT_FALSE(testing::Exists(out));

  std::string damaged = bytes;
  damaged[damaged.size() - 1] ^= 0x55;  // the last file's final block
  testing::WriteFile(installer, damaged);
  ExpectOneLineError(RunXapackWith({"extract", installer, "-C", out}), installer + ": file entry 2",
                     "Invalid file format");
  EXPECT_TRUE(testing::Exists(out + "/{metatrader}/MQL4/Experts/Sample.ex4"));
  EXPECT_FALSE(testing::Exists(out + "/{app}/Expert.ex4"));
  EXPECT_FALSE(testing::Exists(out + "/{app}/Expert.ex4.xapack-part"));

  testing::WriteFile(installer, bytes.substr(0, 200));
  ExpectOneLineError(RunXapackWith({"list", installer}), installer + ": ",
                     "carries no installer or uninstaller record");
  const std::string missing = folder_.Path("none.exe");
  ExpectOneLineError(RunXapackWith({"list", missing}), missing + ": ", "Cannot open file");
}

// Every cut of an installer, from an empty file to one byte short, is refused with one line
// and extracts nothing.
TEST_F(CliTest, EveryCutOfAnInstallerIsRefused) {
  const std::string installer = BuildDefault();
  const std::string bytes = ReadFile(installer);
  const std::string out = folder_.Path("out");
  // Every size up to the record pointer, then every third one, and one byte short.
  std::vector<size_t> sizes;
  for (size_t size = 0; size < bytes.size(); size += size < 160 ? 1 : 3)
    sizes.push_back(size);
  sizes.push_back(bytes.size() - 1);
  for (const size_t size : sizes) {
    SCOPED_TRACE(size);
    testing::WriteFile(installer, bytes.substr(0, size));
    ExpectOneLineError(RunXapackWith({"list", installer}), installer + ": ", "");
    ExpectOneLineError(RunXapackWith({"list", installer, "--json"}), installer + ": ", "");
    if (size % 16 == 0 || size + 40 > bytes.size()) {
      ExpectOneLineError(RunXapackWith({"extract", installer, "-C", out}), installer + ": ", "");
      ASSERT_FALSE(testing::Exists(out));
    }
  }
}

TEST_F(CliTest, ACutPayloadIsNamedAsSuch) {
  const std::string installer = BuildDefault();
  const std::string bytes = ReadFile(installer);
  const size_t payload = bytes.find("XAIN");
  ASSERT_NE(payload, std::string::npos);
  testing::WriteFile(installer, bytes.substr(0, payload + 30));
  ExpectOneLineError(RunXapackWith({"list", installer}), installer + ": ", kCutShortRecord);
  ExpectOneLineError(RunXapackWith({"extract", installer, "-C", folder_.Path("out")}),
                     installer + ": ", kCutShortRecord);
}

}  // namespace
}  // namespace xa::xapack
