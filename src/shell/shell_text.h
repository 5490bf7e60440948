#ifndef XA_SHELL_SHELL_TEXT_H_
#define XA_SHELL_SHELL_TEXT_H_

#include <string>

namespace xa {

// The contents of an internet shortcut to `url`: "[InternetShortcut]", "URL=" + url and an
// empty line, each ended by CR LF.
std::string InternetShortcutText(const std::string& url);

// `text` up to its first NUL, split into lines at CR LF, lone CR and lone LF, and joined again
// with CR LF after every line, the last one included.
std::string NormalizeLineBreaks(const std::string& text);

}  // namespace xa

#endif  // XA_SHELL_SHELL_TEXT_H_
