#ifndef XA_APP_WALK_PNG_CAPTURE_WIN_H_
#define XA_APP_WALK_PNG_CAPTURE_WIN_H_

#include <windows.h>

#include <string>

namespace xa {

// Saves what the screen shows of `window`, frame included, as a PNG file at `path` (GDI+'s
// encoder). Raises std::runtime_error when the picture cannot be taken or written.
void SaveWindowPng(HWND window, const std::string& path);

}  // namespace xa

#endif  // XA_APP_WALK_PNG_CAPTURE_WIN_H_
