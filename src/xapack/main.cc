// The xapack command: drafts manifests and builds, lists and extracts installers. All work is in
// RunXapack.

#include <iostream>
#include <string>
#include <vector>

#include "xapack/cli.h"
#include "xapack/os_services.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return xa::xapack::RunXapack(args, std::cout, std::cerr, xa::xapack::StandardErrorIsTerminal());
}
