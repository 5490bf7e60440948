#ifndef XA_WIZARD_TESTING_EDIT_LINES_H_
#define XA_WIZARD_TESTING_EDIT_LINES_H_

#include <string>
#include <vector>

namespace xa {

// The text of a multi-line edit box cut at its "\r\n" line breaks; an empty text is one empty
// line.
inline std::vector<std::u16string> EditLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  for (size_t start = 0;;) {
    const size_t end = text.find(u"\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::u16string::npos)
      return lines;
    start = end + 2;
  }
}

}  // namespace xa

#endif  // XA_WIZARD_TESTING_EDIT_LINES_H_
