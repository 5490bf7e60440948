#ifndef XA_XAPACK_MANIFEST_H_
#define XA_XAPACK_MANIFEST_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xapack/banner_picture.h"
#include "xapack/os_services.h"

namespace xa::xapack {

// The largest document or banner file a manifest may name, in bytes.
inline constexpr int64_t kMaxDocumentSize = int64_t{16} << 20;

// What a manifest names beside its package files: a licence, readme or what's-new document, or
// the banner.
enum class DocumentKind { kDocument, kBanner };

// A document or banner as the record holds it, or why its file cannot be one.
struct DocumentContent {
  std::string bytes;                   // RTF for a document, the JPEG file for a banner
  PixelSize banner_size;               // a banner's
  std::optional<std::string> problem;  // a phrase ("is not UTF-8 text"); bytes are then empty
};

// Takes the file `file_name` of `size` bytes as LoadManifest takes a document or the banner,
// calling `read` to fill a buffer of `size` bytes only when the size allows: at most
// kMaxDocumentSize bytes; a banner a whole JPEG picture; a document RTF or, when the name ends
// in ".txt" (ASCII case ignored), UTF-8 text, which comes wrapped as RTF. The manifest reader
// and the data folder scan both take their files through here, so that a file the scan names
// in a draft is one the reader takes. Whatever `read` raises passes through.
DocumentContent ReadDocumentContent(DocumentKind kind,
                                    std::string_view file_name,
                                    int64_t size,
                                    const std::function<void(char* buffer, int64_t size)>& read);

// One package file of a manifest, checked and ready for the record.
struct ManifestFile {
  std::string source;    // platform path of the source file
  std::string target;    // target path, ANSI, starting with a known macro
  std::string shortcut;  // Start-menu shortcut name, ANSI; empty for none
  int64_t size = 0;      // plain size of the source when the manifest was read
  FileTimes times;       // from the manifest's `time`, else from the source file
};

// A package description read from a TOML manifest. Texts are ANSI as the record holds them;
// documents are RTF.
struct Manifest {
  std::string path;
  std::string name;
  int32_t version_major = 0;
  int32_t version_minor = 0;
  int32_t version_build = 0;
  int32_t version_release = 0;
  std::string publisher;
  std::string website;
  std::string address;
  std::string contact_name;
  std::string contact_email;
  std::string license;
  std::string readme;
  std::string whats_new;
  std::vector<uint8_t> banner;  // JPEG file bytes; empty for none
  std::string settings_override;
  std::vector<ManifestFile> files;
  std::vector<std::string> warnings;  // problems that do not stop a build, one line each
};

// Reads and checks the manifest at `path`; relative paths in it count from its folder.
// Raises xa::Exception with one line "PATH: problem" for a TOML syntax error, an unknown key, a
// value of the wrong type, an empty program name, a version that is not "major.minor", a
// settings override other than up to eight of "1", "0" and blank, a missing or unreadable
// source, document or banner, a banner that is not a JPEG, a target that TargetPathProblem
// refuses, two files with the same target, a text without an ANSI form, and files too large
// for the format's 32-bit offsets.
Manifest LoadManifest(const std::string& path);

}  // namespace xa::xapack

#endif  // XA_XAPACK_MANIFEST_H_
