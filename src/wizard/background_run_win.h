#ifndef XA_WIZARD_BACKGROUND_RUN_WIN_H_
#define XA_WIZARD_BACKGROUND_RUN_WIN_H_

#include "package/function_ref.h"

namespace xa {

// Runs `work` on a thread of its own (a COM apartment of its own) and returns when it has
// returned, raising again on the calling thread whatever it raised. Meanwhile the calling GUI
// thread keeps dispatching its messages, so that its windows repaint, move and answer; mouse
// clicks and key presses for them are discarded, while the run lasts and once more when it
// ends, so that no input made during the run acts after it. A WM_QUIT taken meanwhile is posted
// again afterwards. `work` must not send messages to the calling thread's windows. Raises
// Exception when the thread cannot be started.
void RunWhileDispatching(TFunctionRef<void()> work);

}  // namespace xa

#endif  // XA_WIZARD_BACKGROUND_RUN_WIN_H_
