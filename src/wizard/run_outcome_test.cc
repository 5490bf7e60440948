#include "wizard/run_outcome.h"

#include <gtest/gtest.h>

namespace xa {
namespace {

TEST(ExitCodeLine, GivesTheNumberScriptsReadAndItsMeaning) {
  EXPECT_EQ(ExitCodeLine(TExitCode::kSuccess), "Exit code: 0 (success)");
  EXPECT_EQ(ExitCodeLine(TExitCode::kNoTerminal),
            "Exit code: 5 (no terminal to install into, nothing written)");
  EXPECT_EQ(ExitCodeLine(TExitCode::kRunPartlyUndone),
            "Exit code: 7 (the run failed and not everything could be undone)");
}

TEST(TerminalLines, NameEachTerminalWithItsOwnDataFolders) {
  const std::vector<TDataFolder> data_folders = {
      {"D:\\AppData\\T\\111", "C:\\MT4 A"},
      {"D:\\AppData\\T\\222", "C:\\MT4 B"},
      {"D:\\AppData\\T\\333", "c:\\mt4 a\\"},
  };
  EXPECT_EQ(
      TerminalLines({"C:\\MT4 A", "E:\\Other"}, data_folders),
      (std::vector<std::string>{"Terminal: C:\\MT4 A", "  Data folder: D:\\AppData\\T\\111",
                                "  Data folder: D:\\AppData\\T\\333", "Terminal: E:\\Other"}));
}

TEST(LogFileName, ReplacesWhatAFileNameCannotHold) {
  EXPECT_EQ(LogFileName(u"Install - Trend: A/B <1>?", u"20261209-203000"),
            u"Install - Trend_ A_B _1__ 20261209-203000.log");
  EXPECT_EQ(LogFileName(u"Uninstall - x\t\"y\"|z*\\", u"1"), u"Uninstall - x__y__z__ 1.log");
}

}  // namespace
}  // namespace xa
