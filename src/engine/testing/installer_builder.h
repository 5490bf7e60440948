#ifndef XA_ENGINE_TESTING_INSTALLER_BUILDER_H_
#define XA_ENGINE_TESTING_INSTALLER_BUILDER_H_

#include <string>
#include <vector>

#include "package/xa_install.h"

namespace xa {

// The folder of the running test program, where enginectl.exe and terminal.exe are built.
std::string TestProgramFolder();

// The relocated program that installers in tests are built from.
std::string StubProgramPath();

// Writes an installer to `path`: the program `stub_path`, the payload of `package` and the
// enciphered `contents`, one per file entry. Fills the entries' offsets and sizes.
void BuildInstaller(TXaInstall& package,
                    const std::vector<std::string>& contents,
                    const std::string& path,
                    const std::string& stub_path = StubProgramPath());

// Removes what an install of `program_name` leaves: application and menu folders with
// everything in them, and its Uninstall entry. Also on construction, for a clean start.
class TInstallCleanup {
 public:
  explicit TInstallCleanup(std::string program_name);
  ~TInstallCleanup();
  TInstallCleanup(const TInstallCleanup&) = delete;
  TInstallCleanup& operator=(const TInstallCleanup&) = delete;

  std::string AppFolder() const;
  std::string MenuFolder() const;
  std::string KeyPath() const;

 private:
  void Clean() const;

  std::string program_name_;
};

}  // namespace xa

#endif  // XA_ENGINE_TESTING_INSTALLER_BUILDER_H_
