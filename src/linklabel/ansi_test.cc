#include "linklabel/ansi.h"

#include <gtest/gtest.h>

#include <string>

namespace xa {
namespace {

// Off Windows the code page is ISO 8859-1: Latin-1 letters map, anything beyond does not.
TEST(AnsiTest, CheckedConversionRefusesWhatTheCodePageCannotHold) {
  struct Case {
    std::u16string text;
    bool converts;
    std::string ansi;
  };
  const Case cases[] = {
      {u"", true, ""},
      {u"C:\\Program Files\\MetaTrader 4", true, "C:\\Program Files\\MetaTrader 4"},
      {u"C:\\Caf\u00e9", true, "C:\\Caf\xe9"},
      {u"C:\\\u4e2d\u6587", false, "unchanged"},
      {u"C:\\a\u0101", false, "unchanged"},
      {u"C:\\?", true, "C:\\?"},
  };
  for (const Case& c : cases) {
    std::string ansi = "unchanged";
    EXPECT_EQ(TryUtf16ToAnsi(c.text, ansi), c.converts) << c.ansi;
    EXPECT_EQ(ansi, c.ansi);
  }
}

}  // namespace
}  // namespace xa
