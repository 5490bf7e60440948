#include "xapack/json_writer.h"

#include <cstdio>

namespace xa::xapack {

std::string JsonString(std::string_view text) {
  std::string literal = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        literal += "\\\"";
        break;
      case '\\':
        literal += "\\\\";
        break;
      case '\n':
        literal += "\\n";
        break;
      case '\r':
        literal += "\\r";
        break;
      case '\t':
        literal += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          literal += escape;
        } else {
          literal += c;
        }
    }
  }
  return literal + "\"";
}

void JsonWriter::NewLine() {
  text_ += '\n';
  text_.append(2 * has_members_.size(), ' ');
}

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (has_members_.empty())
    return;
  if (has_members_.back())
    text_ += ',';
  has_members_.back() = true;
  NewLine();
}

void JsonWriter::Close(char bracket) {
  const bool had_members = has_members_.back();
  has_members_.pop_back();
  if (had_members)
    NewLine();
  text_ += bracket;
  if (has_members_.empty())
    text_ += '\n';
}

void JsonWriter::BeginObject() {
  BeforeValue();
  text_ += '{';
  has_members_.push_back(false);
}

void JsonWriter::EndObject() {
  Close('}');
}

void JsonWriter::BeginArray() {
  BeforeValue();
  text_ += '[';
  has_members_.push_back(false);
}

void JsonWriter::EndArray() {
  Close(']');
}

void JsonWriter::Key(std::string_view name) {
  BeforeValue();
  text_ += JsonString(name) + ": ";
  after_key_ = true;
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  text_ += JsonString(text);
}

void JsonWriter::Number(int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

}  // namespace xa::xapack
