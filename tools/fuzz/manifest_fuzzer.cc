// libFuzzer target: arbitrary manifest text goes through the package builder's manifest checks
// beside a copy of the sample package, so that valid manifests reach every check of sources,
// documents and the banner. Loading may refuse with the library's exception, never crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "package/errors.h"
#include "xapack/manifest.h"

namespace {

// A private copy of the sample package, made once; the manifest is rewritten for every input.
const std::filesystem::path& PackageFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "xa-manifest-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      std::abort();
    std::filesystem::copy(XA_SAMPLE_PACKAGE_DIR, pattern, std::filesystem::copy_options::recursive);
    return std::filesystem::path(pattern);
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path manifest = PackageFolder() / "package.toml";
  {
    std::ofstream out(manifest, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  try {
    const xa::xapack::Manifest loaded = xa::xapack::LoadManifest(manifest.string());
    if (loaded.name.empty())
      std::abort();  // an accepted manifest always names its program
  } catch (const xa::Exception&) {
  }
  return 0;
}
