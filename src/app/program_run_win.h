#ifndef XA_APP_PROGRAM_RUN_WIN_H_
#define XA_APP_PROGRAM_RUN_WIN_H_

#include <string_view>

#include "wizard/form_environment_win.h"
#include "wizard/run_outcome.h"

namespace xa {

// Runs the program for its command line `command_line` (GetCommandLineW's, program name
// first) in `environment`: the options box, the wizard, a passive run (progress page only) or
// a silent one (no window), with a log where asked for or unattended. The calling thread must
// be a COM apartment. Returns the exit code; never raises.
TExitCode RunProgram(TSystemFormEnvironment& environment, std::u16string_view command_line);

}  // namespace xa

#endif  // XA_APP_PROGRAM_RUN_WIN_H_
