#include "shell/journal_paths.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace xa {
namespace {

TEST(KeptFilePathTest, LiesBesideTheFileUnderANameOfItsOwn) {
  EXPECT_EQ(KeptFilePath("C:\\Terminal\\MQL4\\e.ex4", 0x1a2b, 0),
            "C:\\Terminal\\MQL4\\~xa1a2b-0.tmp");
  EXPECT_EQ(KeptFilePath("C:\\x.txt", 7, 0x10), "C:\\~xa7-10.tmp");
  std::set<std::string> names;
  for (uint32_t attempt = 0; attempt < 100; ++attempt)
    names.insert(KeptFilePath("C:\\F\\a", 1, attempt));
  EXPECT_EQ(names.size(), 100u);
}

TEST(FirstMissingKeyTest, FindsTheTopmostKeyToCreate) {
  const std::set<std::string> keys = {"SOFTWARE", "SOFTWARE\\Uninstall", "SOFTWARE\\Uninstall\\A"};
  const auto exists = [&keys](const std::string& key) { return keys.count(key) > 0; };
  struct Case {
    const char* key;
    const char* missing;
  };
  for (const Case& c : {Case{"SOFTWARE\\Uninstall\\A", ""},
                        Case{"SOFTWARE\\Uninstall\\B", "SOFTWARE\\Uninstall\\B"},
                        Case{"SOFTWARE\\Uninstall\\A\\B\\C", "SOFTWARE\\Uninstall\\A\\B"},
                        Case{"SYSTEM\\X", "SYSTEM"}}) {
    EXPECT_EQ(FirstMissingKey(c.key, exists), c.missing) << c.key;
  }
}

}  // namespace
}  // namespace xa
