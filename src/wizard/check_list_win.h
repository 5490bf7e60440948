#ifndef XA_WIZARD_CHECK_LIST_WIN_H_
#define XA_WIZARD_CHECK_LIST_WIN_H_

#include <windows.h>

#include <string>

#include "shell/window_binding_win.h"

namespace xa {

// A list box with a check box before every line, kept in the order the lines were added. The
// window is a real owner-drawn LISTBOX holding the texts, so that screen readers read them; the
// marks live in the item data. Its container must forward WM_DRAWITEM to it as
// kReflectedDrawItem (wizard/reflected_messages.h). A click on a line's check box or the space
// bar on the selected line toggles the mark.
class TCheckListBox : private TWindowHandler {
 public:
  TCheckListBox() = default;
  // Leaves the window to its parent, which destroys it, but detaches this object from it.
  ~TCheckListBox() override;
  TCheckListBox(const TCheckListBox&) = delete;
  TCheckListBox& operator=(const TCheckListBox&) = delete;

  // Creates the list box as child `id` of `parent` at (x, y), width x height pixels, with `font`
  // (not owned; it must outlive the window; null: the system font). Lines are 17 pixels high, as
  // at kDesignDpi. Call once. Raises Exception when the window cannot be created.
  void Create(HWND parent, int id, int x, int y, int width, int height, HFONT font);
  // Makes the lines, and the check boxes in them, as high as at kDesignDpi scaled to `dpi`.
  void SetDpi(UINT dpi);
  // The list box window; null before Create and after the window is destroyed.
  HWND Handle() const { return hwnd_; }

  // Appends a line at the end and returns its index. Raises Exception when the list is full.
  int Add(const std::u16string& text, bool checked);
  // Removes every line.
  void Clear();
  int Count() const;
  // The text and the mark of line `index`; both raise Exception for an index out of range.
  std::u16string Text(int index) const;
  bool Checked(int index) const;
  // Sets the mark of line `index` and repaints the line. Raises Exception for an index out of
  // range.
  void SetChecked(int index, bool checked);

 private:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;
  void WindowDetached(HWND) noexcept override { hwnd_ = nullptr; }
  void CheckIndex(int index) const;
  void ClickAt(int x, int y);
  void Toggle(int index);
  void InvalidateLine(int index) const;
  void DrawItem(const DRAWITEMSTRUCT& item) const noexcept;

  HWND hwnd_ = nullptr;
};

}  // namespace xa

#endif  // XA_WIZARD_CHECK_LIST_WIN_H_
