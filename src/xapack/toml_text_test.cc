#include "xapack/toml_text.h"

#include <gtest/gtest.h>

namespace xa::xapack {
namespace {

TEST(TomlTextTest, AcceptsNonAsciiInStringValuesAndComments) {
  for (const char* text : {
           "[program]\nname = \"Caf\xC3\xA9\" # \xE2\x82\xAC \xEF\xBB\xBE\n",
           "publisher = 'L\xC3\xBC'\nwebsite = \"\"\"\n\xC3\xA9\n\"\"\"\n",
           "a = '''\n\\\n\xC3\xA9'''\nb = [\"\xC3\xA9\", \"x\"]\n",
           "c = \"\\\"\xC3\xA9\\\\\" # ok\n[[file]]\nshortcut = \"Docs\\\\M\xC3\xA4nual\"\n",
           "d = [\n[\"\xC3\xA9\"],\n]\n",
           "e = { a.\"b\" = \"\xC3\xA9\", 'c' = [\"\xC3\xA9\"] }\nf.\"g\" = 1\n",
           "",
       }) {
    EXPECT_EQ(TomlTextProblem(text), std::nullopt) << text;
  }
}

TEST(TomlTextTest, RefusesWhatTheParserMeetsWithUndefinedBehaviour) {
  const struct {
    const char* text;
    const char* problem;
  } cases[] = {
      {"[0ra\xEF\xBB\xBE]\n", "line 1, column 5: a non-ASCII character is allowed only in"},
      {"[\"\xC3\xA9\"]\n", "line 1, column 3: a non-ASCII character is allowed only in"},
      {"x = 1\nn\xC3\xA9 = 2\n", "line 2, column 2: a non-ASCII character is allowed only in"},
      {"x = t\xC3\xA9\n", "line 1, column 6: a non-ASCII character is allowed only in"},
      {"\"k\xC3\xA9y\" = 1\n", "line 1, column 6: a key may hold only ASCII characters"},
      {"a.'\xC3\xA9'.b = 1\n", "line 1, column 6: a key may hold only ASCII characters"},
      {"s = \"\\\xC3\xA9\"\n",
       "line 1, column 7: a non-ASCII character may not follow a backslash"},
      {"s = \"\"\"x\\  \n   \xC3\xA9\"\"\"\n",
       "line 2, column 4: a non-ASCII character may not follow a backslash"},
      {"version =0.\"\xC5\x80\"\n", "line 1, column 12: a string must follow"},
      {"x = 1\"\xC3\xA9\"\n", "line 1, column 6: a string must follow"},
      {"x = { a = 1, b = 2.\"\xC3\xA9\" }\n", "line 1, column 20: a string must follow"},
      {"[program]\x01\n", "line 1, column 10: the control character U+0001 is not allowed"},
      {"s = 'a\x7F'\n", "line 1, column 7: the control character U+007F is not allowed"},
  };
  for (const auto& c : cases) {
    const auto problem = TomlTextProblem(c.text);
    ASSERT_TRUE(problem.has_value()) << c.text;
    EXPECT_EQ(problem->rfind(c.problem, 0), 0u) << *problem;
  }
}

}  // namespace
}  // namespace xa::xapack
