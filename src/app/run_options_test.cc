#include "app/run_options.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace xa {
namespace {

TEST(ArgumentsOf, SkipsTheProgramNameQuotedOrNot) {
  EXPECT_EQ(ArgumentsOf(u"\"C:\\My Files\\Setup.exe\" /S"), u" /S");
  EXPECT_EQ(ArgumentsOf(u"Setup.exe /S /LOG=x"), u" /S /LOG=x");
  EXPECT_EQ(ArgumentsOf(u"Setup.exe"), u"");
  EXPECT_EQ(ArgumentsOf(u"\"C:\\a b\\Setup.exe"), u"");
}

TEST(SplitArguments, QuotesHoldBlanksAndAreDropped) {
  EXPECT_EQ(SplitArguments(u"  /S\t/LOG=\"C:\\a b\\x.log\"  "),
            (std::vector<std::u16string>{u"/S", u"/LOG=C:\\a b\\x.log"}));
  EXPECT_EQ(SplitArguments(u"\"/LOG=C:\\a b.log\""),
            (std::vector<std::u16string>{u"/LOG=C:\\a b.log"}));
  // A backslash before a quote is a folder's last character, not an escape.
  EXPECT_EQ(SplitArguments(u"/TERMINALS=\"C:\\A\\\" /S"),
            (std::vector<std::u16string>{u"/TERMINALS=C:\\A\\", u"/S"}));
  EXPECT_EQ(SplitArguments(u"\"\""), (std::vector<std::u16string>{u""}));
  EXPECT_THROW(SplitArguments(u"/LOG=\"C:\\x.log"), EOptionError);
}

struct TParseCase {
  const char16_t* Arguments;
  TRunMode Mode;
  bool Help;
  std::optional<std::vector<std::u16string>> Terminals;
  std::optional<std::u16string> Log;
};

TEST(ParseRunOptions, AcceptsEveryOptionInAnyCaseWithEitherPrefix) {
  const TParseCase cases[] = {
      {u"", TRunMode::kWizard, false, std::nullopt, std::nullopt},
      {u"/S", TRunMode::kSilent, false, std::nullopt, std::nullopt},
      {u"-silent", TRunMode::kSilent, false, std::nullopt, std::nullopt},
      {u"/Passive", TRunMode::kPassive, false, std::nullopt, std::nullopt},
      {u"/?", TRunMode::kWizard, true, std::nullopt, std::nullopt},
      {u"-help", TRunMode::kWizard, true, std::nullopt, std::nullopt},
      {u"/log=\"C:\\Logs\\my run.log\"", TRunMode::kWizard, false, std::nullopt,
       u"C:\\Logs\\my run.log"},
      {u"/s /Terminals=\"C:\\Program Files\\MT4 A\\; D:\\B ;;C:\\\"", TRunMode::kSilent, false,
       std::vector<std::u16string>{u"C:\\Program Files\\MT4 A", u"D:\\B", u"C:\\"}, std::nullopt},
      {u"-PASSIVE -TERMINALS=D:\\B -LOG=run.log", TRunMode::kPassive, false,
       std::vector<std::u16string>{u"D:\\B"}, u"run.log"},
  };
  for (const TParseCase& c : cases) {
    SCOPED_TRACE(std::string(c.Arguments, c.Arguments + std::u16string_view(c.Arguments).size()));
    const TRunOptions options = ParseRunOptions(c.Arguments, false);
    EXPECT_EQ(options.Mode, c.Mode);
    EXPECT_EQ(options.Help, c.Help);
    EXPECT_EQ(options.Terminals, c.Terminals);
    EXPECT_EQ(options.LogFile, c.Log);
  }
}

TEST(ParseRunOptions, RefusesWhatItCannotTakeSayingWhy) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"/X", u"Unknown option: /X"},
      {u"S", u"Unknown option: S"},
      {u"/", u"Unknown option: /"},
      {u"/SILENTLY", u"Unknown option: /SILENTLY"},
      {u"/S=1", u"/S takes no value"},
      {u"/HELP=yes", u"/HELP takes no value"},
      {u"/LOG", u"/LOG needs a value: /LOG=\"...\""},
      {u"/S /LOG=", u"/LOG needs a value: /LOG=\"...\""},
      {u"/LOG=a /log=b", u"/log is given twice"},
      {u"/S /SILENT", u"Only one of /S, /SILENT and /PASSIVE may be given"},
      {u"/S /PASSIVE", u"Only one of /S, /SILENT and /PASSIVE may be given"},
      {u"/S /TERMINALS=\" ; ;\"", u"/TERMINALS names no folder"},
      {u"/TERMINALS=C:\\A", u"/TERMINALS needs /S or /PASSIVE: the wizard asks for the folders"},
      {u"/S /TERMINALS=A /TERMINALS=B", u"/TERMINALS is given twice"},
  };
  for (const auto& [arguments, message] : cases) {
    try {
      ParseRunOptions(arguments, false);
      ADD_FAILURE() << "accepted: " << EOptionError(arguments).what();
    } catch (const EOptionError& error) {
      EXPECT_EQ(error.Text, message);
    }
  }
}

TEST(ParseRunOptions, UninstallerTakesNoTerminals) {
  EXPECT_EQ(ParseRunOptions(u"/S /LOG=x", true).Mode, TRunMode::kSilent);
  EXPECT_THROW(ParseRunOptions(u"/S /TERMINALS=C:\\A", true), EOptionError);
}

TEST(LogFileOf, FindsTheLogOfARefusedCommandLine) {
  EXPECT_EQ(LogFileOf(u"/S /QUIET /log=\"C:\\a b.log\""), u"C:\\a b.log");
  EXPECT_EQ(LogFileOf(u"-LOG=x -LOG=y /LOGS=z"), u"y");
  EXPECT_EQ(LogFileOf(u"/S /LOG= /LOGFILE=x"), std::nullopt);
  EXPECT_EQ(LogFileOf(u"/LOG=\"C:\\x.log"), std::nullopt);
}

TEST(AsksForSilence, SeesSilenceInARefusedCommandLine) {
  EXPECT_TRUE(AsksForSilence(u"/QUIET -s /LOG=\"x"));
  EXPECT_TRUE(AsksForSilence(u"/Silent"));
  EXPECT_TRUE(AsksForSilence(u"/QUIET\t/S")) << "a tab parts arguments as a space does";
  EXPECT_FALSE(AsksForSilence(u"/SILENTLY /PASSIVE /LOG=a.s"));
}

TEST(EOptionError, WhatIsAsciiWithTheRestAsQuestionMarks) {
  EXPECT_STREQ(EOptionError(u"Unknown option: /\u00e9t\u00e9").what(), "Unknown option: /?t?");
}

}  // namespace
}  // namespace xa
