#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/data_folders.h"

namespace xa {
namespace {

// origin.txt as terminals write it: the mark FF FE, then the text in UTF-16LE.
std::string OriginBytes(const std::u16string& text, bool with_mark = true) {
  std::string bytes = with_mark ? std::string("\xFF\xFE", 2) : std::string();
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

TEST(ParseOriginTest, ReadsWellFormedPaths) {
  struct Case {
    std::u16string text, expected;
  };
  const Case cases[] = {
      {u"C:\\Program Files\\MetaTrader 4", u"C:\\Program Files\\MetaTrader 4"},
      {u"d:\\Brokers\\Alpha MT4", u"d:\\Brokers\\Alpha MT4"},
      {u"C:\\Brokers\\MT4\\", u"C:\\Brokers\\MT4"},
      {u"C:\\Brokers\\MT4\\\\\\", u"C:\\Brokers\\MT4"},
      {u"C:\\Brokers\\MT4\r\n", u"C:\\Brokers\\MT4"},
      {u"C:\\Brokers\\MT4\n", u"C:\\Brokers\\MT4"},
      {u"C:\\", u"C:\\"},
      {u"E:\\\\", u"E:\\"},
      {u"\\\\server\\share\\MT4", u"\\\\server\\share\\MT4"},
      {u"\\\\server\\share", u"\\\\server\\share"},
      {u"C:\\Program Files (x86)\\FXPro - MetaTrader 4",
       u"C:\\Program Files (x86)\\FXPro - MetaTrader 4"},
      {u"C:\\Tr\u00e4der\\\u65e5\u672c", u"C:\\Tr\u00e4der\\\u65e5\u672c"},
      {u"C:\\a\\.hidden\\b", u"C:\\a\\.hidden\\b"},
      {u"C:\\\U0001F600", u"C:\\\U0001F600"},
  };
  for (const Case& c : cases) {
    const std::optional<std::u16string> path = ParseOrigin(OriginBytes(c.text));
    ASSERT_TRUE(path.has_value()) << OriginBytes(c.text).size();
    EXPECT_EQ(*path, c.expected);
  }
}

TEST(ParseOriginTest, RefusesMalformedFiles) {
  const std::string long_path =
      OriginBytes(u"C:\\" + std::u16string(kMaxOriginPathLength - 2, u'x'));
  const std::string longest = OriginBytes(u"C:\\" + std::u16string(kMaxOriginPathLength - 3, u'x'));
  ASSERT_TRUE(ParseOrigin(longest).has_value());
  const std::string cases[] = {
      "",
      std::string("\xFF", 1),
      std::string("\xFF\xFE", 2),
      std::string("\xFE\xFF\0C\0:\0\\\0x", 10),  // big-endian
      std::string("\xEF\xBB\xBF"
                  "C:\\MT4"),             // UTF-8 with its mark
      "C:\\Program Files\\MetaTrader 4",  // ANSI
      OriginBytes(u"C:\\MT4", false),     // UTF-16LE without the mark
      OriginBytes(u"C:\\MT4") + "x",      // odd length
      OriginBytes(u"\r\n"),
      OriginBytes(u"\\"),
      OriginBytes(u"\\\\"),
      OriginBytes(u"\\\\\\\\"),
      OriginBytes(u"\\\\server"),
      OriginBytes(u"\\\\server\\\\share"),
      OriginBytes(u"MetaTrader 4"),          // relative
      OriginBytes(u"\\Program Files\\MT4"),  // no drive
      OriginBytes(u"C:MT4"),
      OriginBytes(u"1:\\MT4"),
      OriginBytes(u"C:/Program Files/MT4"),
      OriginBytes(u"C:\\MT4\\..\\Windows"),
      OriginBytes(u"C:\\.\\MT4"),
      OriginBytes(u"C:\\MT4\\\\x"),
      OriginBytes(u"C:\\MT4 \\x"),
      OriginBytes(u"C:\\MT4.\\x"),
      OriginBytes(u"C:\\MT4\\a:b"),
      OriginBytes(u"C:\\M?T4"),
      OriginBytes(u"C:\\M*T4"),
      OriginBytes(u"C:\\M|T4"),
      OriginBytes(u"C:\\M\"T4"),
      OriginBytes(u"C:\\M<T4>"),
      OriginBytes(u"\\\\?\\C:\\MT4"),
      OriginBytes(std::u16string(u"C:\\MT4\0", 7)),  // a terminating zero
      OriginBytes(std::u16string(u"C:\\M\0T4", 7)),
      OriginBytes(u"C:\\MT4\r\nD:\\MT4"),  // two lines
      OriginBytes(u"C:\\M\tT4"),
      OriginBytes(u"C:\\M\xD800T4"),  // lone high surrogate
      OriginBytes(u"C:\\MT4\xD800"),
      OriginBytes(u"C:\\M\xDC00T4"),  // lone low surrogate
      long_path,
      OriginBytes(u"C:\\" + std::u16string(kMaxOriginFileSize, u'x')),
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_FALSE(ParseOrigin(cases[i]).has_value()) << "case " << i;
}

TEST(ParseOriginTest, NoByteSequenceCrashesIt) {
  // Every 1- and 2-byte body after the mark, and mixtures of the characters that matter.
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      std::string bytes("\xFF\xFE", 2);
      bytes.push_back(static_cast<char>(a));
      bytes.push_back(static_cast<char>(b));
      EXPECT_FALSE(ParseOrigin(bytes).has_value()) << "a one-character path: " << a << " " << b;
    }
  }
  const char16_t alphabet[] = {u'C', u':', u'\\', u'.', u' ', u'\r', u'\n', u'\xD800', u'\xDC00'};
  for (size_t seed = 0; seed < 20000; ++seed) {
    std::u16string text;
    for (size_t n = seed; n > 0; n /= std::size(alphabet))
      text.push_back(alphabet[n % std::size(alphabet)]);
    // What it takes, it takes again unchanged.
    if (const auto path = ParseOrigin(OriginBytes(text))) {
      EXPECT_EQ(ParseOrigin(OriginBytes(*path)), path) << seed;
    }
  }
}

TEST(SameFolderTest, IgnoresCaseAndTrailingBackslashes) {
  EXPECT_TRUE(SameFolder("C:\\Program Files\\MT4", "c:\\PROGRAM FILES\\mt4\\"));
  EXPECT_TRUE(SameFolder("C:\\MT4\\\\", "C:\\MT4"));
  EXPECT_TRUE(SameFolder("C:\\", "C:"));
  EXPECT_FALSE(SameFolder("C:\\MT4", "C:\\MT4 2"));
  EXPECT_FALSE(SameFolder("C:\\MT4", "D:\\MT4"));
}

const std::vector<TDataFolder> kDataFolders = {
    {"A\\Terminal\\111", "C:\\Program Files\\MetaTrader 4"},
    {"A\\Terminal\\222", "C:\\Brokers\\Alpha"},
    {"A\\Terminal\\333", "c:\\program files\\metatrader 4\\"},
    {"A\\Terminal\\444", "D:\\Gone"},
    {"A\\Terminal\\555", "C:\\BROKERS\\ALPHA"},
};

TEST(DataFoldersOfTest, MatchesAnInstallationWhateverItsCase) {
  using Folders = std::vector<std::string>;
  EXPECT_EQ(DataFoldersOf(kDataFolders, "C:\\Program Files\\MetaTrader 4"),
            (Folders{"A\\Terminal\\111", "A\\Terminal\\333"}));
  EXPECT_EQ(DataFoldersOf(kDataFolders, "c:\\brokers\\alpha\\"),
            (Folders{"A\\Terminal\\222", "A\\Terminal\\555"}));
  EXPECT_EQ(DataFoldersOf(kDataFolders, "C:\\Brokers"), Folders{});
  EXPECT_EQ(DataFoldersOf({}, "C:\\Brokers\\Alpha"), Folders{});
}

TEST(UnlistedInstallationsTest, AddsEachTerminalOnceAfterTheListed) {
  const std::set<std::string> terminals = {"C:\\Program Files\\MetaTrader 4", "C:\\Brokers\\Alpha",
                                           "c:\\program files\\metatrader 4\\",
                                           "C:\\BROKERS\\ALPHA"};
  const auto is_terminal = [&](const std::string& folder) { return terminals.count(folder) > 0; };
  using Folders = std::vector<std::string>;
  EXPECT_EQ(UnlistedInstallations({}, kDataFolders, is_terminal),
            (Folders{"C:\\Program Files\\MetaTrader 4", "C:\\Brokers\\Alpha"}));
  EXPECT_EQ(UnlistedInstallations({"C:\\PROGRAM FILES\\MetaTrader 4"}, kDataFolders, is_terminal),
            Folders{"C:\\Brokers\\Alpha"});
  EXPECT_EQ(UnlistedInstallations({"C:\\Program Files\\MetaTrader 4", "C:\\Brokers\\Alpha\\"},
                                  kDataFolders, is_terminal),
            Folders{});
  // An installation that is gone (D:\Gone) is never offered.
  EXPECT_EQ(UnlistedInstallations({}, kDataFolders, [](const std::string&) { return false; }),
            Folders{});
}

TEST(InstallDestinationsTest, PutsEachTerminalsDataFoldersAfterIt) {
  const auto of = [](const std::string& terminal) { return DataFoldersOf(kDataFolders, terminal); };
  using Folders = std::vector<std::string>;
  EXPECT_EQ(
      InstallDestinations({"C:\\Brokers\\Alpha", "C:\\Program Files\\MetaTrader 4", "E:\\X"}, of),
      (Folders{"C:\\Brokers\\Alpha", "A\\Terminal\\222", "A\\Terminal\\555",
               "C:\\Program Files\\MetaTrader 4", "A\\Terminal\\111", "A\\Terminal\\333",
               "E:\\X"}));
  // A terminal listed twice is installed into twice, its data folders once; a data folder that
  // was itself chosen is not installed into again for its terminal.
  EXPECT_EQ(
      InstallDestinations({"a\\terminal\\555", "C:\\Brokers\\Alpha", "C:\\Brokers\\Alpha"}, of),
      (Folders{"a\\terminal\\555", "C:\\Brokers\\Alpha", "A\\Terminal\\222",
               "C:\\Brokers\\Alpha"}));
  EXPECT_EQ(InstallDestinations({}, of), Folders{});
}

TEST(DataFolderStepsTest, CountsTerminalFilesAndOverridePerExtraFolder) {
  TXaInstall install;
  install.AddFile().TargetPath = "{app}\\a.txt";
  install.AddFile().TargetPath = "{MetaTrader}\\MQL4\\Experts\\e.ex4";
  install.AddFile().TargetPath = "{metatrader}\\MQL4\\Indicators\\i.ex4";
  EXPECT_EQ(DataFolderSteps(install, 0), 0);
  EXPECT_EQ(DataFolderSteps(install, 3), 6);
  install.SettingsOverride = "1";
  EXPECT_EQ(DataFolderSteps(install, 3), 9);
}

}  // namespace
}  // namespace xa
