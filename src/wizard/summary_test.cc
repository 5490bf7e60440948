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
      "            and its data folder C:\\AD\\Terminal\\AAA",
      "            and its data folder C:\\AD\\Terminal\\AAB",
      "        D:\\MT4 B",
      "        C:\\PF\\MT4 C",
      "            and its data folder C:\\AD\\Terminal\\CCC",
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
  std::erase_if(
      plain, [](const std::string& line) { return line.find("data folder") != std::string::npos; });
  EXPECT_EQ(SummaryLines(record, checked, "C:\\PF\\"), plain);
}

}  // namespace
}  // namespace xa
