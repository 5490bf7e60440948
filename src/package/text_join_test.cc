#include "package/text_join.h"

#include <gtest/gtest.h>

#include <string>

namespace xa {
namespace {

TEST(JoinTextTest, PutsThePartsOneAfterAnother) {
  const std::string path = "C:\\Program Files\\Expert";
  const struct {
    std::string joined;
    std::string expected;
  } cases[] = {
      {JoinText({}), ""},
      {JoinText({"", ""}), ""},
      {JoinText({path}), path},
      {JoinText({"Cannot delete file \"", path, "\". ", "Access is denied."}),
       "Cannot delete file \"C:\\Program Files\\Expert\". Access is denied."},
      {JoinText({std::string(300, 'x'), "", std::string(1, '\0'), "y"}),
       std::string(300, 'x') + std::string(1, '\0') + "y"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.joined, c.expected);
}

}  // namespace
}  // namespace xa
