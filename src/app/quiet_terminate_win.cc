// The program's terminate handler, in place of libstdc++'s default one, which prints the type of
// an uncaught exception to a standard error stream that a GUI program does not have, and for
// that links the whole C++ demangler (about 46 KB) into the program. An exception that escapes
// is a bug; the program ends as abort ends it.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
