// libFuzzer target: arbitrary bytes as an installer or uninstaller file for xapack's `list`
// (text and JSON) and `extract`. Each run must end in a listing or a one-line refusal, never a
// crash, a hang or a file written outside the extraction folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "xapack/cli.h"

namespace {

const std::filesystem::path& WorkFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "xa-installer-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      std::abort();
    return std::filesystem::path(pattern);
  }();
  return folder;
}

// Runs xapack and checks its contract: exit 0, or exit 1 with exactly one line on stderr.
void Run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = xa::xapack::RunXapack(args, out, err);
  const std::string error = err.str();
  if (status == 0)
    return;
  if (status != 1 || error.empty() || error.find('\n') != error.size() - 1)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path file = WorkFolder() / "Setup.exe";
  const std::filesystem::path folder = WorkFolder() / "out";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  Run({"list", file.string()});
  Run({"list", file.string(), "--json"});
  Run({"extract", file.string(), "-C", folder.string()});
  std::filesystem::remove_all(folder);
  // Extraction stays inside its folder: the work folder holds nothing else.
  for (const auto& entry : std::filesystem::directory_iterator(WorkFolder())) {
    if (entry.path() != file)
      std::abort();
  }
  return 0;
}
