#ifndef XA_ENGINE_UNINSTALL_RUN_H_
#define XA_ENGINE_UNINSTALL_RUN_H_

#include "package/xa_uninstall.h"

namespace xa {

// Deletes the recorded files, then removes the recorded folders that are empty, then the
// program's Uninstall entry with its subkeys, reporting each step and "Done.". Deletions that
// fail pass silently. The registry step is skipped for a ProgramName that cannot name an entry
// of its own, so the Uninstall key itself is never touched. Windows only.
void RunUninstall(TXaUninstall& uninstall);

}  // namespace xa

#endif  // XA_ENGINE_UNINSTALL_RUN_H_
