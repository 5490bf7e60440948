#ifndef XA_WIZARD_FORM_ICONS_WIN_H_
#define XA_WIZARD_FORM_ICONS_WIN_H_

#include <windows.h>

namespace xa {

// The sides, in pixels, of the big and small icons at `dpi`: the system's icon metrics for that
// DPI where it gives them (Windows 10 1607 and later), else 32 and 16 scaled from kDesignDpi.
struct TIconSizes {
  int Big;
  int Small;
};
TIconSizes IconSizesFor(UINT dpi) noexcept;

// The icons a window shows in its title bar and task bar, loaded from the program's icon
// resource at the sizes for the window's DPI. Owns the icons it set.
class TFormIcons {
 public:
  // The icons come from the program's icon resource `icon_id`.
  explicit TFormIcons(int icon_id) noexcept : icon_id_(icon_id) {}
  // Destroys the icons held; the window must be gone, or its icons replaced, by then.
  ~TFormIcons();
  TFormIcons(const TFormIcons&) = delete;
  TFormIcons& operator=(const TFormIcons&) = delete;

  // Sets the big and small icons of `form` (WM_SETICON) at IconSizesFor(dpi), then destroys the
  // icons this object had set before, which the window no longer uses. An icon the system does
  // not load leaves the window's current one.
  void Apply(HWND form, UINT dpi) noexcept;

  // The icons set last; null before the first Apply or when none loaded.
  HICON Big() const noexcept { return big_; }
  HICON Small() const noexcept { return small_; }

 private:
  int icon_id_;
  HICON big_ = nullptr;
  HICON small_ = nullptr;
};

}  // namespace xa

#endif  // XA_WIZARD_FORM_ICONS_WIN_H_
