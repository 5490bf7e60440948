#ifndef XA_WIZARD_RICH_TEXT_WIN_H_
#define XA_WIZARD_RICH_TEXT_WIN_H_

#include <windows.h>

#include <string>

namespace xa {

// Creates a read-only, multi-line, word-wrapped rich edit box ("RichEdit20W") with a vertical
// scroll bar as child `id` of `parent` at (x, y), width x height pixels. Its parent destroys it.
// Until the box gets a font with WM_SETFONT, its text (plain text, and RTF that does not reset
// the character format) shows in the bold system font, so set the font before loading text.
// The rich edit module is loaded on first use and stays loaded for the life of the program.
// Raises Exception when the module cannot be loaded or the window cannot be created.
HWND CreateRichEdit(HWND parent, int id, int x, int y, int width, int height);

// Replaces the content of rich edit `box` with `text` (8-bit, ANSI code page), read as RTF. When
// the control reports an error for it (as it does for text that is not RTF), the text is read
// again from its start as plain text. Raises Exception "Failed to Load Stream" when that fails
// too, or when the control takes no byte of a non-empty text. An empty text empties the box.
void LoadRichText(HWND box, const std::string& text);

}  // namespace xa

#endif  // XA_WIZARD_RICH_TEXT_WIN_H_
