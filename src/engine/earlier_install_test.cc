#include "engine/earlier_install.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace xa {
namespace {

std::vector<std::string> Paths(const std::vector<TInstalledItem>& items, bool folders) {
  std::vector<std::string> paths;
  for (const TInstalledItem& item : items) {
    if ((item.Mark == kInstalledFolder) == folders)
      paths.push_back(item.Path);
  }
  return paths;
}

// Every folder comes before each folder that holds it, so that the uninstall, removing them in
// list order, finds each one emptied of the folders below it.
void ExpectEmptiedBeforeRemoval(const std::vector<std::string>& folders) {
  for (size_t i = 0; i < folders.size(); ++i) {
    for (size_t j = i + 1; j < folders.size(); ++j) {
      const std::string& later = folders[j];
      EXPECT_NE(later.rfind(folders[i] + "\\", 0), 0u)
          << later << " comes after " << folders[i] << ", which holds it";
    }
  }
}

TEST(MergeEarlierRecordTest, AddsWhatOnlyTheEarlierRecordHoldsInRemovableOrder) {
  // The new install: two program sub-folders, a terminal folder, program and menu folders.
  std::vector<TInstalledItem> items = {{"P\\App\\New\\Deep", 1},
                                       {"P\\App\\New", 1},
                                       {"T\\MQL4\\Scripts", 1},
                                       {"P\\App", 1},
                                       {"M\\App", 1},
                                       {"P\\App\\New\\Deep\\n.txt", 0},
                                       {"T\\MQL4\\Scripts\\s.ex4", 0}};
  const std::vector<std::string> earlier_files = {"P\\App\\Old\\o.txt", "p\\app\\new\\deep\\N.TXT",
                                                  "T\\MQL4\\Experts\\e.ex4", "M\\App\\Old.lnk"};
  const std::vector<std::string> earlier_folders = {
      "P\\App\\Old\\Sub", "P\\App\\Old", "T\\MQL4\\Experts", "T\\MQL4", "P\\APP",
      "M\\App\\Docs",     "M\\App"};
  MergeEarlierRecord(items, earlier_files, earlier_folders);
  EXPECT_EQ(Paths(items, false),
            (std::vector<std::string>{"P\\App\\New\\Deep\\n.txt", "T\\MQL4\\Scripts\\s.ex4",
                                      "P\\App\\Old\\o.txt", "T\\MQL4\\Experts\\e.ex4",
                                      "M\\App\\Old.lnk"}));
  const std::vector<std::string> folders = Paths(items, true);
  EXPECT_EQ(folders,
            (std::vector<std::string>{"P\\App\\New\\Deep", "P\\App\\New", "T\\MQL4\\Scripts",
                                      "P\\App\\Old\\Sub", "P\\App\\Old", "P\\App", "M\\App\\Docs",
                                      "M\\App", "T\\MQL4\\Experts", "T\\MQL4"}));
  ExpectEmptiedBeforeRemoval(folders);
}

// A path the earlier record repeats, in any case, is taken once; a file and a folder of the same
// name are different items.
TEST(MergeEarlierRecordTest, TakesEachEarlierPathOnce) {
  std::vector<TInstalledItem> items = {{"P\\App", 1}, {"P\\App\\a.txt", 0}};
  MergeEarlierRecord(items, {"P\\App\\b.txt", "p\\app\\B.TXT", "P\\App\\x"},
                     {"P\\App\\x", "P\\APP\\X", "P\\app"});
  EXPECT_EQ(Paths(items, false),
            (std::vector<std::string>{"P\\App\\a.txt", "P\\App\\b.txt", "P\\App\\x"}));
  EXPECT_EQ(Paths(items, true), (std::vector<std::string>{"P\\App\\x", "P\\App"}));
}

TEST(MergeEarlierRecordTest, KeepsTheOrderWhateverTheEarlierRecordsOrder) {
  const std::vector<std::vector<std::string>> orders = {
      {"A\\B\\C", "A\\B", "A", "A\\X"},
      {"A", "A\\B", "A\\B\\C", "A\\X"},
      {"A\\X", "A\\B", "A", "A\\B\\C"},
  };
  for (const std::vector<std::string>& earlier : orders) {
    std::vector<TInstalledItem> items = {{"A\\B\\D", 1}, {"Z", 1}};
    MergeEarlierRecord(items, {}, earlier);
    const std::vector<std::string> folders = Paths(items, true);
    EXPECT_EQ(folders.size(), 6u);
    ExpectEmptiedBeforeRemoval(folders);
  }
}

TEST(MergeEarlierRecordTest, NamesThatOnlyShareABeginningAreNotNested) {
  std::vector<TInstalledItem> items = {{"P\\App", 1}};
  MergeEarlierRecord(items, {}, {"P\\Apple", "P\\App\\Sub"});
  EXPECT_EQ(Paths(items, true), (std::vector<std::string>{"P\\App\\Sub", "P\\App", "P\\Apple"}));
}

TEST(IsEarlierRecordOfTest, NeedsOurRecordOfTheSameProgram) {
  TXaUninstall earlier;
  earlier.ProgramName = "Trend Tool";
  EXPECT_FALSE(IsEarlierRecordOf(earlier, "Trend Tool")) << "no record found";
  earlier.RecordFound = true;
  EXPECT_TRUE(IsEarlierRecordOf(earlier, "Trend Tool"));
  EXPECT_TRUE(IsEarlierRecordOf(earlier, "TREND tool"));
  EXPECT_FALSE(IsEarlierRecordOf(earlier, "Trend Tool 2"));
}

}  // namespace
}  // namespace xa
