#ifndef XA_WIZARD_REFLECTED_MESSAGES_H_
#define XA_WIZARD_REFLECTED_MESSAGES_H_

#include <windows.h>

namespace xa {

// Notifications a container sends back to the child control they concern, so that a control
// class keeps its own drawing: the container forwards WM_DRAWITEM as kReflectedDrawItem to
// DRAWITEMSTRUCT::hwndItem with the same wParam and lParam.
inline constexpr UINT kReflectBase = WM_USER + 0x1C00;
inline constexpr UINT kReflectedDrawItem = kReflectBase + WM_DRAWITEM;

}  // namespace xa

#endif  // XA_WIZARD_REFLECTED_MESSAGES_H_
