#include "xapack/rtf_document.h"

#include <gtest/gtest.h>

namespace xa::xapack {
namespace {

// The body of a wrapped document: what follows the header line, without the closing brace.
std::string Body(const std::string& rtf) {
  const size_t start = rtf.find('\n') + 1;
  return rtf.substr(start, rtf.size() - start - 1);
}

struct WrapCase {
  const char* name;
  std::string text;
  std::string body;
};

const WrapCase kWrapCases[] = {
    {"empty", "", ""},
    {"specials", "a\\b{c}d", "a\\\\b\\{c\\}d"},
    {"lf", "one\ntwo", "one\\par\ntwo"},
    {"crlf once", "one\r\ntwo\r\n", "one\\par\ntwo\\par\n"},
    {"lone cr", "one\rtwo", "one\\par\ntwo"},
    {"tab", "a\tb", "a\\tab b"},
    {"latin", "Caf\xC3\xA9", "Caf\\u233?"},
    {"above 0x7fff", "\xEF\xBF\xBD", "\\u-3?"},
    {"surrogates", "\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
    {"bom dropped", "\xEF\xBB\xBFhi", "hi"},
};

TEST(RtfDocumentTest, WrapsPlainTextWithEscapes) {
  for (const WrapCase& c : kWrapCases) {
    SCOPED_TRACE(c.name);
    const auto rtf = WrapTextAsRtf(c.text);
    ASSERT_TRUE(rtf.has_value());
    EXPECT_TRUE(LooksLikeRtf(*rtf));
    EXPECT_EQ(rtf->back(), '}');
    EXPECT_EQ(Body(*rtf), c.body);
  }
}

TEST(RtfDocumentTest, RefusesTextThatIsNotUtf8) {
  EXPECT_FALSE(WrapTextAsRtf("Caf\xE9").has_value());
}

TEST(RtfDocumentTest, RecognisesRtfByItsStart) {
  EXPECT_TRUE(LooksLikeRtf("{\\rtf1\\ansi x}"));
  EXPECT_FALSE(LooksLikeRtf("rtf"));
  EXPECT_FALSE(LooksLikeRtf(" {\\rtf1}"));
}

}  // namespace
}  // namespace xa::xapack
