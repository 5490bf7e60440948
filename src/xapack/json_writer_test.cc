#include "xapack/json_writer.h"

#include <gtest/gtest.h>

namespace xa::xapack {
namespace {

TEST(JsonWriterTest, EscapesStrings) {
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString("\n\r\t\x01\x1f"), "\"\\n\\r\\t\\u0001\\u001f\"");
  EXPECT_EQ(JsonString("{app}\\x \xC3\xA9"), "\"{app}\\\\x \xC3\xA9\"");
}

TEST(JsonWriterTest, WritesNestedValuesWithCommasAndIndentation) {
  JsonWriter json;
  json.BeginObject();
  json.Key("n");
  json.Number(-5);
  json.Key("list");
  json.BeginArray();
  json.BeginObject();
  json.Key("s");
  json.String("x");
  json.EndObject();
  json.Number(2);
  json.EndArray();
  json.Key("empty");
  json.BeginArray();
  json.EndArray();
  json.EndObject();
  EXPECT_EQ(json.Text(),
            "{\n"
            "  \"n\": -5,\n"
            "  \"list\": [\n"
            "    {\n"
            "      \"s\": \"x\"\n"
            "    },\n"
            "    2\n"
            "  ],\n"
            "  \"empty\": []\n"
            "}\n");
}

}  // namespace
}  // namespace xa::xapack
