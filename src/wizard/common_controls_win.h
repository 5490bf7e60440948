#ifndef XA_WIZARD_COMMON_CONTROLS_WIN_H_
#define XA_WIZARD_COMMON_CONTROLS_WIN_H_

#include <windows.h>

namespace xa {

// Loads the common controls library and registers its standard classes and the progress bar.
// Loaded at run time, after the DLL search is restricted, because a static import would be
// resolved from the program's own folder before the program runs. Idempotent. Raises Exception
// when the library or its initialisation is missing.
void LoadCommonControls();

}  // namespace xa

#endif  // XA_WIZARD_COMMON_CONTROLS_WIN_H_
