#include "wizard/form_icons_win.h"

#include <utility>

#include "wizard/window_dpi_win.h"

namespace xa {
namespace {

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

int IconMetric(int metric, int design_size, UINT dpi) noexcept {
  static const GetSystemMetricsForDpiFunction for_dpi =
      User32Entry<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  const int size = for_dpi ? for_dpi(metric, dpi) : 0;
  return size > 0 ? size : ScaleForDpi(design_size, dpi);
}

HICON LoadIconOfSize(int icon_id, int size) noexcept {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon_id),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Gives `form` the icon `icon` of kind `which` (ICON_BIG, ICON_SMALL) when there is one, and
// destroys the one held in `held` once the window has let go of it.
void Replace(HWND form, WPARAM which, HICON icon, HICON& held) noexcept {
  if (!icon)
    return;
  SendMessageW(form, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  if (HICON old = std::exchange(held, icon))
    DestroyIcon(old);
}

}  // namespace

TIconSizes IconSizesFor(UINT dpi) noexcept {
  return {IconMetric(SM_CXICON, 32, dpi), IconMetric(SM_CXSMICON, 16, dpi)};
}

TFormIcons::~TFormIcons() {
  if (big_)
    DestroyIcon(big_);
  if (small_)
    DestroyIcon(small_);
}

void TFormIcons::Apply(HWND form, UINT dpi) noexcept {
  const TIconSizes sizes = IconSizesFor(dpi);
  Replace(form, ICON_BIG, LoadIconOfSize(icon_id_, sizes.Big), big_);
  Replace(form, ICON_SMALL, LoadIconOfSize(icon_id_, sizes.Small), small_);
}

}  // namespace xa
