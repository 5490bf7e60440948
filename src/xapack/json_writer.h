#ifndef XA_XAPACK_JSON_WRITER_H_
#define XA_XAPACK_JSON_WRITER_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xa::xapack {

// The JSON string literal of a UTF-8 text: quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text);

// Writes one JSON value with two-blank indentation. Members and elements are added in order;
// the writer places the commas. The caller keeps objects and arrays balanced.
class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Starts the member `name` of the current object; its value follows.
  void Key(std::string_view name);
  void String(std::string_view text);
  void Number(int64_t value);

  // The text written so far, ending with a line break once the outermost value is closed.
  const std::string& Text() const { return text_; }

 private:
  void BeforeValue();
  void Close(char bracket);
  void NewLine();

  std::string text_;
  std::vector<bool> has_members_;  // one per open object or array
  bool after_key_ = false;
};

}  // namespace xa::xapack

#endif  // XA_XAPACK_JSON_WRITER_H_
