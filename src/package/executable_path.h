#ifndef XA_PACKAGE_EXECUTABLE_PATH_H_
#define XA_PACKAGE_EXECUTABLE_PATH_H_

#include <string>

namespace xa {

// Full path of the running program; empty when the system cannot tell.
std::string ExecutablePath();

}  // namespace xa

#endif  // XA_PACKAGE_EXECUTABLE_PATH_H_
