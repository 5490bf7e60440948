#include "shell/shell_text.h"

#include "package/text_join.h"

namespace xa {

std::string InternetShortcutText(const std::string& url) {
  return JoinText({"[InternetShortcut]\r\nURL=", url, "\r\n\r\n"});
}

std::string NormalizeLineBreaks(const std::string& text) {
  const std::string source = text.substr(0, text.find('\0'));
  std::string result;
  result.reserve(source.size() + 2);
  size_t line_start = 0;
  for (size_t i = 0; i < source.size(); ++i) {
    if (source[i] != '\r' && source[i] != '\n')
      continue;
    result.append(source, line_start, i - line_start).append("\r\n");
    if (source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n')
      ++i;
    line_start = i + 1;
  }
  if (line_start < source.size())
    result.append(source, line_start, std::string::npos).append("\r\n");
  return result;
}

}  // namespace xa
