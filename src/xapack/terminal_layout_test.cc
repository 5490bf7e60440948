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

TEST(DataFolderTargetTest, MapsTheFoldersAPackageInstallsIntoAndNoOthers) {
  struct Case {
    std::vector<std::string> names;
    const char* target;  // nullptr: no target
  };
  const Case cases[] = {
      {{"MQL4", "Experts", "a.ex4"}, "{metatrader}\\MQL4\\Experts\\a.ex4"},
      {{"mql4", "indicators", "Sub", "b.ex4"}, "{metatrader}\\MQL4\\Indicators\\Sub\\b.ex4"},
      {{"MQL4", "Scripts", "c.ex4"}, "{metatrader}\\MQL4\\Scripts\\c.ex4"},
      {{"MQL4", "Libraries", "d.dll"}, "{metatrader}\\MQL4\\Libraries\\d.dll"},
      {{"MQL4", "Include", "e.mqh"}, "{metatrader}\\MQL4\\Include\\e.mqh"},
      {{"MQL4", "FILES", "f.csv"}, "{metatrader}\\MQL4\\Files\\f.csv"},
      {{"MQL4", "Presets", "g.set"}, "{metatrader}\\MQL4\\Presets\\g.set"},
      {{"Templates", "h.tpl"}, "{metatrader}\\templates\\h.tpl"},
      {{"profiles", "default", "chart01.chr"}, "{metatrader}\\profiles\\default\\chart01.chr"},
      {{"sounds", "Alert Two.wav"}, "{metatrader}\\sounds\\Alert Two.wav"},
      {{"MQL4", "Logs", "x.log"}, nullptr},
      {{"MQL4", "a.ex4"}, nullptr},
      {{"MQL4", "Experts"}, nullptr},
      {{"templates"}, nullptr},
      {{"experts", "old.ex4"}, nullptr},
      {{"logs", "20260101.log"}, nullptr},
      {{"Readme.txt"}, nullptr},
  };
  for (const Case& c : cases) {
    const auto target = DataFolderTarget(c.names);
    EXPECT_EQ(target.value_or("none"), c.target ? c.target : "none") << c.names.back();
    if (target) {
      EXPECT_FALSE(TerminalLayoutWarning(*target)) << *target;
    }
  }
}

}  // namespace
}  // namespace xa::xapack
