#include "xapack/manifest_draft.h"

#include <gtest/gtest.h>

namespace xa::xapack {
namespace {

TEST(ManifestDraftTest, QuotesAndCommentsAnyName) {
  struct Case {
    std::string text;
    const char* quoted;
    const char* comment;
  };
  const Case cases[] = {
      {"Plain name.ex4", "\"Plain name.ex4\"", "Plain name.ex4"},
      {"{metatrader}\\MQL4\\a \"b\"", "\"{metatrader}\\\\MQL4\\\\a \\\"b\\\"\"",
       "{metatrader}\\MQL4\\a \"b\""},
      {"Caf\xC3\xA9", "\"Caf\xC3\xA9\"", "Caf\xC3\xA9"},
      {std::string("line\nbreak\ttab\x7F", 15), "\"line\\u000Abreak\\u0009tab\\u007F\"",
       "line\\x0Abreak\\x09tab\\x7F"},
      {"bad \xFF byte \xC3", "\"bad \xFF byte \xC3\"", "bad \\xFF byte \\xC3"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TomlQuoted(c.text), c.quoted) << c.text;
    EXPECT_EQ(CommentText(c.text), c.comment) << c.text;
  }
}

TEST(ManifestDraftTest, OffersWhatWasNotFoundAsComments) {
  DataFolderScan scan;
  scan.readme = "Read me.txt";
  scan.skipped.push_back({"notes\xFF.txt", "lies outside the folders a package installs into"});
  const std::string draft = DraftManifest("My EA", scan);
  const char* lines[] = {
      "\nname = \"My EA\"\n",
      "\nversion = \"1.0\"\n",
      "\nreadme = \"My EA/Read me.txt\"\n",
      "\n# license = \"My EA/License.rtf\"\n",
      "\n# banner = \"My EA/banner.jpg\"\n",
      "\n# No file of the folder lies in a folder a package installs into.\n",
      "\n#   \"My EA/notes\\xFF.txt\": lies outside the folders a package installs into\n",
  };
  for (const char* line : lines)
    EXPECT_NE(draft.find(line), std::string::npos) << line << "\n" << draft;
  EXPECT_EQ(draft.find("[[file]]\n"), std::string::npos);
}

}  // namespace
}  // namespace xa::xapack
