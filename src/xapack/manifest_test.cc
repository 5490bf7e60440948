#include "xapack/manifest.h"

#include <gtest/gtest.h>

#include "package/errors.h"
#include "xapack/file_time.h"
#include "xapack/testing/package_fixture.h"

namespace xa::xapack {
namespace {

using testing::PackageFolder;

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at == std::string::npos)
    throw std::runtime_error("the test manifest has no " + from);
  return text.replace(at, from.size(), to);
}

struct RefusalCase {
  const char* name;
  std::string from;  // replaced in the default manifest by `to`
  std::string to;
  const char* message;  // expected in the error after the manifest's path
};

const RefusalCase kRefusals[] = {
    {"empty name", "name = \"Sample Trend Indicator\"", "name = \"\"",
     "[program] name must not be empty"},
    {"missing name", "name = \"Sample Trend Indicator\"", "", "[program] name must not be empty"},
    {"name with a macro", "Sample Trend Indicator", "Sample {windir}", "cannot be a folder name"},
    {"name with a backslash", "Sample Trend Indicator", "Sample\\\\Trend",
     "cannot be a folder name"},
    {"version without minor", "\"2.10\"", "\"2\"", "is not \"major.minor\""},
    {"version as a number", "\"2.10\"", "2.10", "version must be a text"},
    {"negative build", "build = 3", "build = -1", "build must be a whole number"},
    {"bad settings character", "\"11 0\"", "\"12\"", "up to eight characters"},
    {"settings too long", "\"11 0\"", "\"111111111\"", "up to eight characters"},
    {"unknown program key", "build = 3", "biuld = 3", "unknown key \"biuld\" in [program]"},
    {"unknown table", "[program]", "[extra]\nx = 1\n[program]", "unknown key \"extra\""},
    {"unknown file key", "shortcut = ", "shortcutt = ", "unknown key \"shortcutt\""},
    {"missing program", "[program]", "[programme]", "unknown key \"programme\""},
    {"missing source", "mql4/Sample.ex4", "mql4/Missing.ex4", "does not exist"},
    {"target without macro", "{metatrader}\\\\MQL4", "MQL4", "known macro"},
    {"target with unknown macro", "{metatrader}", "{terminal}", "known macro"},
    {"target escaping", "{app}\\\\Expert.ex4", "{app}\\\\..\\\\Expert.ex4", "\"..\""},
    {"same target twice", "{app}\\\\Expert.ex4", "{METATRADER}\\\\mql4\\\\Experts\\\\sample.ex4",
     "[[file]] 2 target \"{METATRADER}\\mql4\\Experts\\sample.ex4\" is used twice"},
    {"shortcut with a leading backslash", "\"Sample manual\"", "\"\\\\Manual\"",
     "cannot be a shortcut name"},
    {"shortcut with a trailing backslash", "\"Sample manual\"", "\"Docs\\\\\"",
     "cannot be a shortcut name"},
    {"shortcut with an empty part", "\"Sample manual\"", "\"Docs\\\\\\\\Manual\"",
     "cannot be a shortcut name"},
    {"shortcut climbing", "\"Sample manual\"", "\"Docs\\\\..\\\\Manual\"",
     "cannot be a shortcut name"},
    {"table header opening with a symbol", "[program]", "[&program]",
     "line 1, column 2: Error while parsing key: expected bare key starting character"},
    {"non-ASCII key", "build = 3", "b\xC3\xBCild = 3",
     "line 4, column 2: a non-ASCII character is allowed only in string values and comments"},
    {"banner not a JPEG", "art/banner.jpg", "docs/Readme.rtf", "is not a JPEG picture"},
    {"missing banner", "art/banner.jpg", "art/none.jpg", "banner file"},
    {"missing licence", "docs/License.txt", "docs/None.txt", "license file"},
    {"readme not RTF", "docs/Readme.rtf", "mql4/Expert.ex4", "is not an RTF document"},
    {"time without zone", "23:59:59Z", "23:59:59", "with its zone"},
    {"date without time", "2026-01-31T23:59:59Z", "2026-01-31", "with its zone"},
    {"syntax error", "build = 3", "build = = 3", "line 4"},
    {"missing target", "target = \"{app}\\\\Expert.ex4\"", "", "[[file]] 2 target is missing"},
    {"empty source", "source = \"mql4/Expert.ex4\"", "source = \"\"", "source must not be empty"},
};

TEST(ManifestTest, RefusesWithAClearMessage) {
  PackageFolder folder;
  for (const RefusalCase& c : kRefusals) {
    SCOPED_TRACE(c.name);
    const std::string path =
        folder.WriteManifest(Replace(PackageFolder::DefaultManifest(), c.from, c.to));
    try {
      LoadManifest(path);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(c.message), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

TEST(ManifestTest, RefusesFilesThatAreNotTables) {
  PackageFolder folder;
  const std::string path =
      folder.WriteManifest("file = \"x\"\n[program]\nname = \"P\"\nversion = \"1.0\"\n");
  EXPECT_THROW(
      {
        try {
          LoadManifest(path);
        } catch (const Exception& e) {
          EXPECT_NE(std::string(e.what()).find("list of [[file]] tables"), std::string::npos);
          throw;
        }
      },
      Exception);
}

TEST(ManifestTest, ReadsEveryField) {
  PackageFolder folder;
  const Manifest manifest = LoadManifest(folder.WriteManifest(PackageFolder::DefaultManifest()));
  EXPECT_EQ(manifest.name, "Sample Trend Indicator");
  EXPECT_EQ(manifest.version_major, 2);
  EXPECT_EQ(manifest.version_minor, 10);
  EXPECT_EQ(manifest.version_build, 3);
  EXPECT_EQ(manifest.version_release, 0);
  EXPECT_EQ(manifest.publisher, "Pub");
  EXPECT_EQ(manifest.website, "https://example.com");
  EXPECT_EQ(manifest.address, "");
  EXPECT_EQ(manifest.settings_override, "11 0");
  EXPECT_EQ(manifest.readme, "{\\rtf1 readme}");
  EXPECT_NE(manifest.license.find("Use \\{freely\\}\\par\nat C:\\\\risk"), std::string::npos);
  EXPECT_EQ(manifest.whats_new, "");
  EXPECT_EQ(manifest.banner.size(), testing::SampleBanner().size());
  EXPECT_TRUE(manifest.warnings.empty());
  ASSERT_EQ(manifest.files.size(), 2u);
  EXPECT_EQ(manifest.files[0].target, "{metatrader}\\MQL4\\Experts\\Sample.ex4");
  EXPECT_EQ(manifest.files[0].shortcut, "Sample manual");
  EXPECT_EQ(manifest.files[0].size, 1015);
  EXPECT_EQ(FormatFileTime(manifest.files[0].times.creation), "2026-01-31T23:59:59Z");
  EXPECT_EQ(manifest.files[0].times.last_write, manifest.files[0].times.creation);
  EXPECT_EQ(manifest.files[1].shortcut, "");
  EXPECT_EQ(manifest.files[1].times.last_write,
            ReadFileTimes(folder.Path("mql4/Expert.ex4")).last_write);
}

TEST(ManifestTest, AcceptsShortcutsInMenuSubFolders) {
  PackageFolder folder;
  const Manifest manifest = LoadManifest(folder.WriteManifest(Replace(
      PackageFolder::DefaultManifest(), "\"Sample manual\"", "\"Docs\\\\Guides\\\\Manual\"")));
  EXPECT_EQ(manifest.files[0].shortcut, "Docs\\Guides\\Manual");
}

// TOML allows no control characters but tab and line ends; the parser would assert on some.
TEST(ManifestTest, RefusesControlCharactersWithTheirPlace) {
  PackageFolder folder;
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {std::string("[\x01program]\n"), "line 1, column 2: the control character U+0001"},
      {std::string("[program]\nname = \"P\" # \xC3\xA4\0\n", 27),
       "line 2, column 15: the control character U+0000"},
      {"[program]\r\nname = \"a\x7F\"\n", "line 2, column 10: the control character U+007F"},
      {"[program]\nname = \"\x1B[0m\"\n", "line 2, column 9: the control character U+001B"},
  };
  for (const auto& c : cases) {
    const std::string path = folder.WriteManifest(c.text);
    try {
      LoadManifest(path);
      ADD_FAILURE() << c.message << ": accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()), path + ": " + c.message + " is not allowed in TOML");
    }
  }
  EXPECT_NO_THROW(
      LoadManifest(folder.WriteManifest("[program]\r\nname =\t\"P\"\r\nversion = \"1.0\"\n")));
}

TEST(ManifestTest, OptionalKeysHaveDefaults) {
  PackageFolder folder;
  const Manifest manifest =
      LoadManifest(folder.WriteManifest("[program]\nname = \"P\"\nversion = \"1.0\"\n"));
  EXPECT_EQ(manifest.version_major, 1);
  EXPECT_EQ(manifest.version_build, 0);
  EXPECT_EQ(manifest.publisher, "");
  EXPECT_TRUE(manifest.banner.empty());
  EXPECT_TRUE(manifest.files.empty());
}

TEST(ManifestTest, MissingManifestNamesItsPath) {
  PackageFolder folder;
  const std::string path = folder.Path("none.toml");
  try {
    LoadManifest(path);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind(path + ": Cannot open file", 0), 0u) << e.what();
  }
}

#ifndef _WIN32
TEST(ManifestTest, RefusesTextsWithoutAnAnsiForm) {
  PackageFolder folder;
  const std::string path = folder.WriteManifest(Replace(
      PackageFolder::DefaultManifest(), "publisher = \"Pub\"", "publisher = \"\xE4\xB8\xAD\""));
  EXPECT_THROW(
      {
        try {
          LoadManifest(path);
        } catch (const Exception& e) {
          EXPECT_NE(std::string(e.what()).find("publisher"), std::string::npos) << e.what();
          EXPECT_NE(std::string(e.what()).find("Windows-1252 cannot hold"), std::string::npos);
          throw;
        }
      },
      Exception);
}
#endif

}  // namespace
}  // namespace xa::xapack
