#ifndef XA_SHELL_FOLDER_PICKER_H_
#define XA_SHELL_FOLDER_PICKER_H_

#include <windows.h>

#include <string>

namespace xa {

// Shows the shell's modal browse-for-folder dialog titled `title`, rooted at `root` (a shell
// parsing name; empty for the whole namespace), with only file-system folders confirmable.
// On entry `folder` is the folder to preselect; it is set to "" first when it is not an
// existing directory. Returns true and sets `chosen` to the chosen path, in UTF-16 as the shell
// holds it, when the user confirms a folder that has a file-system path; the caller converts it
// and refuses a path the ANSI code page cannot hold. Otherwise returns false. `folder` is left
// as that first step made it. The dialog's owner is the root owner of the calling thread's active
// window (none when the thread has no active window). While the dialog is up every visible,
// enabled top-level window of the calling thread is disabled and the process error mode is
// SEM_FAILCRITICALERRORS; both are put back when it closes, also when an exception passes.
// Returns false at once, showing nothing, when the shell allocator is not available. Needs COM
// initialised on the calling thread.
bool PickFolder(const std::string& title,
                const std::u16string& root,
                std::string& folder,
                std::u16string& chosen);

// The dialog's callback: on BFFM_INITIALIZED with non-zero `data` (a zero-terminated 8-bit
// path) it selects and reveals that path in the dialog's tree. Ignores every other message and
// always returns 0.
int CALLBACK PickFolderCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data);

}  // namespace xa

#endif  // XA_SHELL_FOLDER_PICKER_H_
