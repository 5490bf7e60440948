#ifndef XA_WIZARD_FORM_LAYOUT_WIN_H_
#define XA_WIZARD_FORM_LAYOUT_WIN_H_

#include <windows.h>

#include <vector>

#include "wizard/gdi_object_win.h"
#include "wizard/window_dpi_win.h"

namespace xa {

// Which of the form's fonts a control shows its text in.
// kRichText: a rich text box, given the form font when made; its text has formatting of its own.
enum class TFormFont { kNone, kForm, kTitle, kHeading, kRichText };

// The form's fonts, made for one display resolution.
struct TFormFonts {
  TGdiObject<HFONT> Form, Title, Heading;

  // The font of `role`: the form font for kRichText, null for kNone.
  HFONT Get(TFormFont role) const;
};

// The form font ("MS Sans Serif" 11 pixels), the title font ("Arial" bold 16) and the heading
// font ("Arial" 21), their character heights scaled from kDesignDpi to `dpi`, rounded down and
// lowered while a line is higher than one at kDesignDpi scaled. Raises Exception when the system
// refuses a font.
TFormFonts CreateFormFonts(UINT dpi);

// A window's place within its parent at kDesignDpi: left, top, width, height.
struct TDesignBox {
  int X = 0, Y = 0, Width = 0, Height = 0;
};

// `box` at `dpi`: left, top, right and bottom, each edge scaled and rounded on its own, so that
// boxes that touch at kDesignDpi touch at every resolution.
RECT ScaleBox(const TDesignBox& box, UINT dpi);

// The design boxes and fonts of the form's windows, to lay the form out again for any display
// resolution. Windows are laid out in the order they were added, parents first.
class TFormLayout {
 public:
  // A layout of windows made, with their fonts, for `created_dpi`.
  explicit TFormLayout(UINT created_dpi = kDesignDpi) : created_dpi_(created_dpi) {}

  struct TEntry {
    HWND Window;
    TDesignBox Box;
    TFormFont Font;
  };

  // Keeps `window` (null: ignored) with its design box and the font it shows its text in.
  void Add(HWND window, const TDesignBox& box, TFormFont font);

  // Moves and sizes every kept window to its box scaled for `dpi` and gives it its font of
  // `fonts` (not owned; they must outlive the windows or be replaced by the next Apply). Rich
  // text boxes are zoomed from the resolution they were made for instead, since a new font
  // would drop their text's own formatting.
  void Apply(UINT dpi, const TFormFonts& fonts) const;

  // Gives the kept `window` the design box `box` and places it there for `dpi`; a window that
  // was not added is left alone.
  void Move(HWND window, const TDesignBox& box, UINT dpi);

  // The design box of `window`; null for a window that was not added.
  const TDesignBox* DesignBox(HWND window) const;
  const std::vector<TEntry>& Entries() const { return entries_; }

 private:
  UINT created_dpi_;
  std::vector<TEntry> entries_;
};

// The size of a window with `style` and `ex_style` (no menu) whose client area is
// `client_width` x `client_height` pixels at kDesignDpi, at `dpi`: the client size scaled, the
// frame as the system draws it at that resolution.
SIZE WindowSizeForDpi(int client_width, int client_height, DWORD style, DWORD ex_style, UINT dpi);

}  // namespace xa

#endif  // XA_WIZARD_FORM_LAYOUT_WIN_H_
