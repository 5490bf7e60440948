#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/path_macros.h"

namespace xa {
namespace {

// The folders of a typical machine.
std::string FakeFolder(SysFolderId id, bool include_trailing_delimiter) {
  EXPECT_FALSE(include_trailing_delimiter);
  static const std::map<SysFolderId, std::string> folders = {
      {SysFolderId::kProgramFiles, "C:\\Program Files"},
      {SysFolderId::kBootDrive, "C:"},
      {SysFolderId::kWindows, "C:\\WINDOWS"},
      {SysFolderId::kSystem, "C:\\WINDOWS\\system32"},
      {SysFolderId::kUserDocuments, "C:\\Users\\Ann\\Documents"},
  };
  const auto found = folders.find(id);
  return found == folders.end() ? "" : found->second;
}

TMacroList Macros(const std::string& program_name = "Foo") {
  TMacroList macros;
  BuildMacroList(macros, program_name, FakeFolder);
  return macros;
}

TEST(BuildMacroListTest, HoldsFiveLinesInOrder) {
  TMacroList macros = Macros();
  macros.push_back({"{stale}", "x"});
  BuildMacroList(macros, "Foo", FakeFolder);
  ASSERT_EQ(macros.size(), 5u);
  const char* names[] = {"{app}", "{bootdir}", "{windir}", "{winsysdir}", "{mydocuments}"};
  const char* values[] = {"C:\\Program Files\\Foo", "C:", "C:\\WINDOWS", "C:\\WINDOWS\\system32",
                          "C:\\Users\\Ann\\Documents"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(macros[i].Name, names[i]);
    EXPECT_EQ(macros[i].Value, values[i]);
  }
}

struct ExpandCase {
  const char* target;
  const char* expanded;
};

class ExpandMacrosTest : public testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandMacrosTest, ReplacesEveryMacroOfTheList) {
  EXPECT_EQ(ExpandMacros(GetParam().target, Macros()), GetParam().expanded);
}

INSTANTIATE_TEST_SUITE_P(
    Targets,
    ExpandMacrosTest,
    testing::Values(
        ExpandCase{"{app}\\Docs\\a.pdf", "C:\\Program Files\\Foo\\Docs\\a.pdf"},
        ExpandCase{"{APP}\\Docs\\a.pdf", "C:\\Program Files\\Foo\\Docs\\a.pdf"},
        ExpandCase{"{bootdir}\\Tools\\x.dll", "C:\\Tools\\x.dll"},
        ExpandCase{"{mydocuments}\\{app}", "C:\\Users\\Ann\\Documents\\C:\\Program Files\\Foo"},
        ExpandCase{"{WinDir}\\a;{windir}\\b", "C:\\WINDOWS\\a;C:\\WINDOWS\\b"},
        ExpandCase{"{winsysdir}\\x.dll", "C:\\WINDOWS\\system32\\x.dll"},
        ExpandCase{"{tmp}\\a.txt", "{tmp}\\a.txt"},
        ExpandCase{"a.txt", "a.txt"},
        ExpandCase{"Keep\\Case\\{app}\\MiXed", "Keep\\Case\\C:\\Program Files\\Foo\\MiXed"},
        ExpandCase{"{metatrader}\\experts\\e.ex4", "{metatrader}\\experts\\e.ex4"},
        ExpandCase{"{app", "{app"}));

TEST(ExpandMacrosTest, LaterLinesSearchTextOfEarlierOnes) {
  EXPECT_EQ(ExpandMacros("{app}\\a", Macros("X{windir}")), "C:\\Program Files\\XC:\\WINDOWS\\a");
}

TEST(ExpandMacrosTest, NeverSearchesAValueForItsOwnName) {
  TMacroList macros = {{"{a}", "{a}{a}"}};
  EXPECT_EQ(ExpandMacros("{a}-{A}", macros), "{a}{a}-{a}{a}");
}

TEST(ExpandMacrosTest, EmptyFolderRemovesTheMacro) {
  TMacroList macros = Macros();
  macros[4].Value.clear();
  EXPECT_EQ(ExpandMacros("{mydocuments}\\x.txt", macros), "\\x.txt");
}

TEST(SetMacroValueTest, TerminalMacroIsSetAnewForEachPass) {
  TMacroList macros = Macros();
  const std::string target = "{metatrader}\\experts\\e.ex4";
  SetMacroValue(macros, kMetaTraderMacro, "C:\\Program Files\\MetaTrader 4");
  EXPECT_EQ(ExpandMacros(target, macros), "C:\\Program Files\\MetaTrader 4\\experts\\e.ex4");
  SetMacroValue(macros, "{METATRADER}", "D:\\MT4");
  ASSERT_EQ(macros.size(), 6u);
  EXPECT_EQ(macros[5].Name, kMetaTraderMacro);
  EXPECT_EQ(ExpandMacros(target, macros), "D:\\MT4\\experts\\e.ex4");
}

TEST(SetMacroValueTest, EmptyValueDeletesTheLine) {
  TMacroList macros = Macros();
  SetMacroValue(macros, kMetaTraderMacro, "");
  EXPECT_EQ(macros.size(), 5u);
  SetMacroValue(macros, kMetaTraderMacro, "D:\\MT4");
  SetMacroValue(macros, kMetaTraderMacro, "");
  EXPECT_EQ(macros.size(), 5u);
}

TEST(IsTerminalTargetTest, IgnoresAsciiCase) {
  EXPECT_TRUE(IsTerminalTarget("{metatrader}\\x.ex4"));
  EXPECT_TRUE(IsTerminalTarget("{MetaTrader}\\x.ex4"));
  EXPECT_TRUE(IsTerminalTarget("C:\\{METATRADER}"));
  EXPECT_FALSE(IsTerminalTarget("{app}\\x.ex4"));
  EXPECT_FALSE(IsTerminalTarget("{metatrader\\x.ex4"));
}

}  // namespace
}  // namespace xa
