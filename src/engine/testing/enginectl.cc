// Drives the install engine without the wizard, for end-to-end tests and for checking an
// installer by hand.
#include <cstdio>
#include <exception>
#include <string>

#include "engine/install_run.h"
#include "engine/self_delete.h"
#include "engine/uninstall_run.h"
#include "package/xa_install.h"
#include "package/xa_uninstall.h"
#include "shell/com_apartment.h"

namespace {

constexpr char kUsage[] =
    "usage: enginectl install [--quiet] INSTALLER [TERMINAL_FOLDER...]\n"
    "       enginectl uninstall UNINSTALLER\n"
    "       enginectl selfdelete FILE\n";

void PrintProgress(xa::TXaData&, const std::string& message, int32_t percent) {
  std::printf("%d\t%s\n", static_cast<int>(percent), message.c_str());
  std::fflush(stdout);
}

int Install(int argc, char** argv) {
  // --quiet: the engine's own run, with no console output to pay for, as benchmarks want it.
  const bool quiet = argc >= 4 && std::string(argv[2]) == "--quiet";
  const int first = quiet ? 3 : 2;
  xa::TXaInstall install;
  install.LoadFromFile(argv[first]);
  for (int i = first + 1; i < argc; ++i)
    install.TerminalFolders.push_back(argv[i]);
  if (!quiet)
    install.OnProgress = PrintProgress;
  xa::RunInstall(install);
  return 0;
}

int Uninstall(char** argv) {
  xa::TXaUninstall uninstall;
  uninstall.LoadFromFile(argv[2]);
  uninstall.OnProgress = PrintProgress;
  xa::RunUninstall(uninstall);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  xa::TComApartment apartment;
  const std::string command = argc >= 3 ? argv[1] : "";
  try {
    if (command == "install")
      return Install(argc, argv);
    if (command == "uninstall" && argc == 3)
      return Uninstall(argv);
    if (command == "selfdelete" && argc == 3)
      return xa::SelfDelete(argv[2], true) ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::fputs(kUsage, stderr);
  return 2;
}
