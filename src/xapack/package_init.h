#ifndef XA_XAPACK_PACKAGE_INIT_H_
#define XA_XAPACK_PACKAGE_INIT_H_

#include <cstddef>
#include <string>

namespace xa::xapack {

// The file name of the manifest that InitPackage writes.
inline constexpr char kInitManifestName[] = "package.toml";

// What InitPackage wrote.
struct InitResult {
  std::string manifest_path;  // platform path of the new manifest
  size_t files = 0;           // its [[file]] tables
  size_t skipped = 0;         // files named only in its comments
};

// Drafts a commented manifest for the files of `folder` (a platform path to a folder laid out
// as a terminal's data folder; see ScanDataFolder and DraftManifest) and writes it as
// kInitManifestName into the folder that holds `folder`, beside it: its source paths then
// start with the folder's name, and LoadManifest takes it as written. An existing file of that
// name is never replaced. Raises xa::Exception "PATH: problem" when `folder` is no folder or
// lies in no other, when its name cannot be a program name, when the manifest is already
// there, and when a file cannot be read or the manifest cannot be written.
InitResult InitPackage(const std::string& folder);

}  // namespace xa::xapack

#endif  // XA_XAPACK_PACKAGE_INIT_H_
