#include "xapack/target_path.h"

#include <gtest/gtest.h>

namespace xa::xapack {
namespace {

struct TargetCase {
  const char* target;
  const char* problem;  // a part of the problem's phrase; null for a safe target
};

const TargetCase kTargets[] = {
    {"{app}\\Readme.txt", nullptr},
    {"{metatrader}\\experts\\Sample.ex4", nullptr},
    {"{APP}\\Docs\\a.pdf", nullptr},
    {"{mydocuments}/Sample/a.txt", nullptr},
    {"{bootdir}\\Tools\\x.dll", nullptr},
    {"{windir}\\x.dll", nullptr},
    {"{winsysdir}\\x.dll", nullptr},
    {"{tmp}\\a.txt", "known macro"},
    {"a.txt", "known macro"},
    {"C:\\Windows\\a.txt", "known macro"},
    {"\\\\server\\share\\a.txt", "known macro"},
    {"{app}", "names no file"},
    {"{app}\\", "names no file"},
    {"{app}Readme.txt", "names no file"},
    {"{app}\\..\\a.txt", "\"..\""},
    {"{app}\\Docs\\..\\..\\a.txt", "\"..\""},
    {"{app}\\.\\a.txt", "\"..\""},
    {"{app}/../a.txt", "\"..\""},
    {"{app}\\\\a.txt", "empty folder name"},
    {"{app}\\Docs\\", "empty folder name"},
    {"{app}\\{windir}\\a.txt", "second macro"},
    {"{app}\\x{WINDIR}y\\a.txt", "second macro"},
    {"{app}\\C:\\a.txt", "does not allow"},
    {"{app}\\a?.txt", "does not allow"},
    {"{app}\\.. \\a.txt", "does not allow"},
    {"{app}\\...\\a.txt", "does not allow"},
    {"{app}\\a\x01.txt", "does not allow"},
};

TEST(TargetPathTest, AcceptsSafeTargetsAndNamesTheProblemOfOthers) {
  for (const TargetCase& c : kTargets) {
    SCOPED_TRACE(c.target);
    const auto problem = TargetPathProblem(c.target);
    if (c.problem == nullptr) {
      EXPECT_FALSE(problem.has_value()) << *problem;
      EXPECT_TRUE(ExtractionPath(c.target).has_value());
    } else {
      ASSERT_TRUE(problem.has_value());
      EXPECT_NE(problem->find(c.problem), std::string::npos) << *problem;
      EXPECT_FALSE(ExtractionPath(c.target).has_value());
    }
  }
}

TEST(TargetPathTest, ExtractionPathPutsTheCanonicalMacroFirst) {
  const std::vector<std::string> expected = {"{metatrader}", "MQL4", "Experts", "E.ex4"};
  EXPECT_EQ(ExtractionPath("{MetaTrader}\\MQL4/Experts\\E.ex4"), expected);
}

TEST(TargetPathTest, LeadingMacroAndContainsMacroIgnoreCase) {
  EXPECT_EQ(LeadingMacro("{WinSysDir}\\a"), "{winsysdir}");
  EXPECT_EQ(LeadingMacro("{win}\\a"), "");
  EXPECT_TRUE(ContainsMacro("Program {MyDocuments}"));
  EXPECT_FALSE(ContainsMacro("Program {docs}"));
}

TEST(TargetPathTest, ShortcutNamesMayNameMenuSubFolders) {
  for (const char* good : {"Manual", "Docs\\Manual", "A b\\C d\\E.f", "Read me first"})
    EXPECT_TRUE(IsShortcutName(good)) << good;
  for (const char* bad :
       {"", "\\Manual", "Docs\\", "Docs\\\\Manual", "..\\Manual", "Docs\\..\\Manual", ".\\Manual",
        "Docs\\.", "Docs/Manual", "Docs \\Manual", "C:\\Manual", "Docs\\Ma*nual", "\\"})
    EXPECT_FALSE(IsShortcutName(bad)) << bad;
}

TEST(TargetPathTest, TargetKeyIgnoresCaseAndSlashKind) {
  EXPECT_EQ(TargetKey("{APP}/Docs\\A.TXT"), TargetKey("{app}\\docs\\a.txt"));
  EXPECT_NE(TargetKey("{app}\\a.txt"), TargetKey("{app}\\b.txt"));
}

}  // namespace
}  // namespace xa::xapack
