#ifndef XA_XAPACK_TESTING_PACKAGE_FIXTURE_H_
#define XA_XAPACK_TESTING_PACKAGE_FIXTURE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "package/testing/temp_folder.h"

namespace xa::xapack::testing {

// Writes `bytes` to `path`, replacing the file; creates missing folders.
void WriteFile(const std::string& path, const std::string& bytes);

// Writes `bytes` to the file at the UTF-8 path `path` (any name, whatever the ANSI code page),
// replacing it; creates missing folders.
void WriteFileAtUtf8Path(const std::string& path, const std::string& bytes);

// The whole content of the file at `path`; raises when it cannot be read.
std::string ReadFile(const std::string& path);

// True when a file or folder exists at `path`.
bool Exists(const std::string& path);

// A minimal Windows program image as a stub: MZ header, e_lfanew = `pe_offset`, "PE\0\0", an
// i386 file header and a PE32 optional header, `size` bytes in all, record pointer 0.
std::vector<uint8_t> MakeStub(uint32_t pe_offset = 0x100, size_t size = 0x400);

// The sample package's banner: a JPEG picture of 160 x 320 pixels.
std::string SampleBanner();

// A folder holding a small package: two sources, a readme, a licence, a banner and a stub,
// and a manifest whose text tests may change before building.
class PackageFolder {
 public:
  PackageFolder();

  // Path of `name` inside the folder.
  std::string Path(const std::string& name) const { return folder_.Path(name); }

  // Writes `text` as the manifest and returns its path.
  std::string WriteManifest(const std::string& text) const;

  // The manifest text of the package: [program] and two [[file]] tables.
  static std::string DefaultManifest();

  // Path of the stub program in the folder.
  std::string StubPath() const { return Path("stub.exe"); }

  // Every file name in the folder (not in sub-folders), sorted.
  std::vector<std::string> FileNames() const;

 private:
  xa::testing::TempFolder folder_;
};

}  // namespace xa::xapack::testing

#endif  // XA_XAPACK_TESTING_PACKAGE_FIXTURE_H_
