#include "wizard/rich_text_win.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "package/errors.h"

namespace xa {
namespace {

// Holds the rich edit module, which registers the window class, for the life of the program.
class TRichEditModule {
 public:
  TRichEditModule() : module_(LoadLibraryW(L"riched20.dll")) {}
  ~TRichEditModule() {
    if (module_)
      FreeLibrary(module_);
  }
  TRichEditModule(const TRichEditModule&) = delete;
  TRichEditModule& operator=(const TRichEditModule&) = delete;

  bool Loaded() const { return module_ != nullptr; }

 private:
  HMODULE module_;
};

// The text being streamed in, and how far the control has read it.
struct TTextReader {
  const std::string& text;
  size_t position = 0;
};

DWORD CALLBACK ReadText(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* done) {
  auto* reader = reinterpret_cast<TTextReader*>(cookie);
  const size_t count = std::min(static_cast<size_t>(std::max<LONG>(wanted, 0)),
                                reader->text.size() - reader->position);
  std::memcpy(buffer, reader->text.data() + reader->position, count);
  reader->position += count;
  *done = static_cast<LONG>(count);
  return 0;
}

// Streams the whole text into the box in `format` from its start; true when the control read
// it without error.
bool StreamIn(HWND box, const std::string& text, WPARAM format) {
  TTextReader reader{text};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
  stream.pfnCallback = &ReadText;
  SendMessageW(box, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
  // A control that never asked for a byte of a non-empty text did not load it, although it
  // reports no error; valid RTF without characters still has its bytes read.
  return stream.dwError == 0 && (text.empty() || reader.position > 0);
}

}  // namespace

HWND CreateRichEdit(HWND parent, int id, int x, int y, int width, int height) {
  static const TRichEditModule module;
  if (!module.Loaded())
    Raise<Exception>("Cannot load riched20.dll");
  const DWORD style =
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
  HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"", style, x, y, width, height,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
  if (!box)
    Raise<Exception>("Error creating window");
  // Documents may be longer than the default limit of 32767 characters.
  SendMessageW(box, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  return box;
}

void LoadRichText(HWND box, const std::string& text) {
  if (StreamIn(box, text, SF_RTF))
    return;
  if (!StreamIn(box, text, SF_TEXT))
    Raise<Exception>("Failed to Load Stream");
}

}  // namespace xa
