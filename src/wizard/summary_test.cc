#include "wizard/summary.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "package/xa_install.h"

namespace xa {
namespace {

TEST(SummaryLinesTest, ListsDataFoldersUnderTheirTerminal) {
  TXaInstall record;
  record.ProgramName = "Foo";
  record.VersionMajor = 1;
  record.VersionMinor = 2;
  const std::map<std::string, std::vector<std::string>> data_folders = {
      {"C:\\PF\\MT4 A", {"C:\\AD\\Terminal\\AAA", "C:\\AD\\Terminal\\AAB"}},
      {"C:\\PF\\MT4 C", {"C:\\AD\\Terminal\\CCC"}},
  };
  const auto of = [&data_folders](const std::string& folder) {
    const auto found = data_folders.find(folder);
    return found == data_folders.end() ? std::vector<std::string>{} : found->second;
  };
  const std::vector<std::string> expected = {
      "Program Name",
      "        Foo v1.2",
      "",
      "Target Folder(s)",
      "        C:\\PF\\MT4 A",
      "            and its data folder in C:\\AD\\Terminal",
      "            AAA",
      "            and its data folder in C:\\AD\\Terminal",
      "            AAB",
      "        D:\\MT4 B",
      "        C:\\PF\\MT4 C",
      "            and its data folder in C:\\AD\\Terminal",
      "            CCC",
      "",
      "Program Folder",
      "        C:\\PF\\Foo",
      "",
      "Start Menu Folder",
      "        Foo",
  };
  const std::vector<std::string> checked = {"C:\\PF\\MT4 A", "D:\\MT4 B", "C:\\PF\\MT4 C"};
  EXPECT_EQ(SummaryLines(record, checked, "C:\\PF\\", of), expected);
  // Without data folders the terminal folders stand alone.
  std::vector<std::string> plain = expected;
  std::erase_if(plain, [](const std::string& line) { return line.rfind("            ", 0) == 0; });
  EXPECT_EQ(SummaryLines(record, checked, "C:\\PF\\"), plain);
}

TEST(ShortDataFolderTest, WritesTheApplicationDataFolderAsItsVariable) {
  const std::string app_data = "C:\\Users\\Ann\\AppData\\Roaming";
  struct Case {
    const char* folder;
    const char* shown;
  };
  const Case cases[] = {
      {"C:\\Users\\Ann\\AppData\\Roaming\\MetaQuotes\\Terminal\\AB12",
       "%APPDATA%\\MetaQuotes\\Terminal\\AB12"},
      {"c:\\users\\ann\\appdata\\roaming\\MetaQuotes\\Terminal\\AB12",
       "%APPDATA%\\MetaQuotes\\Terminal\\AB12"},
      {"C:\\Users\\Ann\\AppData\\Roaming2\\MetaQuotes",
       "C:\\Users\\Ann\\AppData\\Roaming2\\MetaQuotes"},
      {"C:\\Users\\Ann\\AppData\\Roaming", "C:\\Users\\Ann\\AppData\\Roaming"},
      {"D:\\Data\\Terminal\\AB12", "D:\\Data\\Terminal\\AB12"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShortDataFolder(c.folder, app_data), c.shown) << c.folder;
  EXPECT_EQ(ShortDataFolder(cases[0].folder, app_data + "\\"), cases[0].shown);
  EXPECT_EQ(ShortDataFolder(cases[0].folder, ""), cases[0].folder);
}

}  // namespace
}  // namespace xa
