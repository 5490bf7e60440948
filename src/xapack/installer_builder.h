#ifndef XA_XAPACK_INSTALLER_BUILDER_H_
#define XA_XAPACK_INSTALLER_BUILDER_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "xapack/manifest.h"
#include "xapack/source_stream.h"

namespace xa::xapack {

using ContentKey = std::array<uint8_t, 16>;

struct BuildOptions {
  std::string stub_path;
  std::string output_path;
  // The content key; without one a key is drawn from the system's random source.
  std::optional<ContentKey> key;
  // Told of every block of source bytes read, for a progress display; may be empty.
  ReadProgress on_read;
};

// Checks that `stub` can carry a record: a Windows program (MZ header, PE signature) whose PE
// headers leave the record pointer at offset 136 free, and that does not carry an installer or
// uninstaller record already. Raises xa::Exception "NAME: problem" naming `stub_name`.
void CheckStub(const std::vector<uint8_t>& stub, const std::string& stub_name);

// The 32 hexadecimal digits of a --key argument as a key; nullopt for anything else.
std::optional<ContentKey> ParseKey(const std::string& hex);

// Writes the installer of `manifest` to options.output_path: the stub, the "XAIN" payload and
// every source enciphered, each source read once in bounded memory. The installer is written to
// a temporary file beside the output and renamed at the end, so a failure leaves neither the
// output nor the temporary file behind. Raises xa::Exception with one line naming the stub,
// a source or the output and the problem.
void BuildInstaller(const Manifest& manifest, const BuildOptions& options);

}  // namespace xa::xapack

#endif  // XA_XAPACK_INSTALLER_BUILDER_H_
