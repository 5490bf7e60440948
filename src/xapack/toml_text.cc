#include "xapack/toml_text.h"

#include <cstdio>

namespace xa::xapack {
namespace {

enum class Place { kBare, kComment, kBasic, kLiteral, kMultiBasic, kMultiLiteral };

bool IsAsciiBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNonAscii(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// Walks the text once, keeping the line and column (in characters) of the current byte.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::optional<std::string> Run();

 private:
  std::optional<std::string> Step();
  std::optional<std::string> StepInBasic(bool multi_line);
  bool Opens(std::string_view quote) const { return text_.substr(at_, quote.size()) == quote; }
  // True when only blanks stand between the line's start and the current byte.
  bool AtLineStart() const;
  // True when a quote at the current byte can open a string, as the parser sees it.
  bool OpensString() const;
  // Follows arrays, inline tables and the '=' of keys outside strings and table headers.
  void StepInBareValue(char c);
  void Advance(size_t count);
  // The first byte from `from` that is not blank (ignoring line ends too when `lines`).
  size_t SkipBlanks(size_t from, bool lines) const;
  std::string Problem(const std::string& what) const;

  std::string_view text_;
  size_t at_ = 0;
  int line_ = 1;
  int column_ = 1;
  Place place_ = Place::kBare;
  std::string brackets_;    // the open arrays ('[') and inline tables ('{') outside strings
  bool in_header_ = false;  // inside a table header, which ends its line
  bool in_value_ = false;   // after a key's '=', until the value ends
  bool string_non_ascii_ = false;
};

bool Scanner::AtLineStart() const {
  size_t before = at_;
  while (before > 0 && (text_[before - 1] == ' ' || text_[before - 1] == '\t'))
    --before;
  return before == 0 || text_[before - 1] == '\n';
}

void Scanner::Advance(size_t count) {
  for (; count > 0 && at_ < text_.size(); --count, ++at_) {
    const auto byte = static_cast<unsigned char>(text_[at_]);
    if (byte == '\n') {
      ++line_;
      column_ = 1;
      in_header_ = false;
    } else if ((byte & 0xC0) != 0x80) {
      ++column_;
    }
  }
}

size_t Scanner::SkipBlanks(size_t from, bool lines) const {
  while (from < text_.size() &&
         (text_[from] == ' ' || text_[from] == '\t' || (lines && IsAsciiBlank(text_[from]))))
    ++from;
  return from;
}

std::string Scanner::Problem(const std::string& what) const {
  return "line " + std::to_string(line_) + ", column " + std::to_string(column_) + ": " + what;
}

std::optional<std::string> Scanner::StepInBasic(bool multi_line) {
  const char c = text_[at_];
  if (c == '\\' && at_ + 1 < text_.size()) {
    const char next = text_[at_ + 1];
    const bool continues = multi_line && IsAsciiBlank(next);
    const size_t after = continues ? SkipBlanks(at_ + 1, true) : at_ + 1;
    if (after < text_.size() && IsNonAscii(text_[after])) {
      Advance(after - at_);
      return Problem("a non-ASCII character may not follow a backslash or a line-ending backslash");
    }
    Advance(after - at_ + (continues ? 0 : 1));
    return std::nullopt;
  }
  if (multi_line ? Opens("\"\"\"") : c == '"') {
    place_ = Place::kBare;
    Advance(multi_line ? 3 : 1);
    return std::nullopt;
  }
  string_non_ascii_ = string_non_ascii_ || IsNonAscii(c);
  Advance(1);
  return std::nullopt;
}

bool Scanner::OpensString() const {
  const char before = at_ == 0 ? '\n' : text_[at_ - 1];
  return IsAsciiBlank(before) || before == '=' || before == '[' || before == ',' || before == '{' ||
         (before == '.' && !in_value_);
}

void Scanner::StepInBareValue(char c) {
  if (c == '=') {
    in_value_ = true;
  } else if (c == '[' || c == '{') {
    brackets_.push_back(c);
    in_value_ = c == '[';  // an inline table starts with a key
  } else if ((c == ']' || c == '}') && !brackets_.empty()) {
    brackets_.pop_back();
  } else if (c == ',' && !brackets_.empty() && brackets_.back() == '{') {
    in_value_ = false;
  } else if (c == '\n' && brackets_.empty()) {
    in_value_ = false;
  }
}

std::optional<std::string> Scanner::Step() {
  const char c = text_[at_];
  const auto byte = static_cast<unsigned char>(c);
  if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
    char code[8];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(byte));
    return Problem(std::string("the control character ") + code + " is not allowed in TOML");
  }
  if (IsNonAscii(c) && (in_header_ || place_ == Place::kBare))
    return Problem("a non-ASCII character is allowed only in string values and comments");
  switch (place_) {
    case Place::kComment:
      if (c == '\n') {
        place_ = Place::kBare;
        in_value_ = in_value_ && !brackets_.empty();
      }
      break;
    case Place::kBasic:
    case Place::kMultiBasic:
      return StepInBasic(place_ == Place::kMultiBasic);
    case Place::kLiteral:
    case Place::kMultiLiteral: {
      const bool multi = place_ == Place::kMultiLiteral;
      if (multi ? Opens("'''") : c == '\'') {
        place_ = Place::kBare;
        Advance(multi ? 3 : 1);
        return std::nullopt;
      }
      string_non_ascii_ = string_non_ascii_ || IsNonAscii(c);
      break;
    }
    case Place::kBare:
      if (c == '#') {
        place_ = Place::kComment;
        in_header_ = false;
      } else if (c == '"' || c == '\'') {
        if (!OpensString())
          return Problem("a string must follow '=', '[', ',', '{', a blank or (in a key) '.'");
        const bool multi = Opens(c == '"' ? "\"\"\"" : "'''");
        place_ = c == '"' ? (multi ? Place::kMultiBasic : Place::kBasic)
                          : (multi ? Place::kMultiLiteral : Place::kLiteral);
        string_non_ascii_ = false;
        Advance(multi ? 3 : 1);
        return std::nullopt;
      } else if (c == '[' && brackets_.empty() && !in_value_ && AtLineStart()) {
        in_header_ = true;  // a '[' opening its line outside any value
      } else if (!in_header_) {
        StepInBareValue(c);
      }
      break;
  }
  Advance(1);
  return std::nullopt;
}

std::optional<std::string> Scanner::Run() {
  while (at_ < text_.size()) {
    const Place before = place_;
    if (auto problem = Step())
      return problem;
    // A string just closed that holds non-ASCII characters must not be a key.
    const bool closed =
        (before == Place::kBasic || before == Place::kLiteral) && place_ == Place::kBare;
    if (closed && string_non_ascii_) {
      const size_t next = SkipBlanks(at_, false);
      if (next < text_.size() && (text_[next] == '=' || text_[next] == '.'))
        return Problem("a key may hold only ASCII characters");
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> TomlTextProblem(std::string_view text) {
  return Scanner(text).Run();
}

}  // namespace xa::xapack
