#ifndef XA_XAPACK_CLI_H_
#define XA_XAPACK_CLI_H_

#include <ostream>
#include <string>
#include <vector>

namespace xa::xapack {

// The installer program a build uses when no --stub is given, looked for beside xapack.
inline constexpr char kDefaultStubName[] = "xasetup.exe";

// Runs the xapack command line `args` (without the program name):
//   init FOLDER
//   build MANIFEST -o OUTPUT [--stub STUB] [--key HEX32]
//   list FILE [--json]
//   extract FILE -C FOLDER
//   --help (or -h), --version
// Without arguments the usage goes to `err` and the status is 1. Results go to `out`; warnings, a
// progress line (only when `err_is_terminal`) and errors go to `err`, an error as one line "xapack:
// FILE: problem". Returns the exit status: 0 on success, 1 on a usage or input error. Never throws.
int RunXapack(const std::vector<std::string>& args,
              std::ostream& out,
              std::ostream& err,
              bool err_is_terminal = false);

}  // namespace xa::xapack

#endif  // XA_XAPACK_CLI_H_
