#include "xapack/terminal_layout.h"

#include <gtest/gtest.h>

namespace xa::xapack {
namespace {

TEST(TerminalLayoutWarningTest, WarnsAboutTerminalTargetsCurrentTerminalsDoNotRead) {
  struct Case {
    const char* target;
    bool warned;
  };
  const Case cases[] = {
      {"{metatrader}\\MQL4\\Experts\\Sample.ex4", false},
      {"{MetaTrader}\\mql4\\indicators\\Sub\\i.ex4", false},
      {"{metatrader}\\MQL4\\Sample.ex4", false},
      {"{metatrader}\\templates\\Sample.tpl", false},
      {"{metatrader}\\Profiles\\default\\chart01.chr", false},
      {"{metatrader}\\config\\servers.ini", false},
      {"{metatrader}\\sounds\\alert.wav", false},
      {"{metatrader}\\experts\\Sample.ex4", true},
      {"{metatrader}\\experts\\indicators\\i.ex4", true},
      {"{metatrader}\\Sample.ex4", true},
      {"{metatrader}\\MQL4x\\Sample.ex4", true},
      {"{metatrader}\\MQL5\\Experts\\Sample.ex5", true},
      {"{app}\\experts\\Sample.ex4", false},
      {"{mydocuments}\\Sample.ex4", false},
  };
  for (const Case& c : cases) {
    const auto warning = TerminalLayoutWarning(c.target);
    EXPECT_EQ(warning.has_value(), c.warned) << c.target;
    if (warning) {
      EXPECT_NE(warning->find("MQL4\\Experts, MQL4\\Indicators"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace xa::xapack
