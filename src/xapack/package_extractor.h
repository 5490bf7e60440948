#ifndef XA_XAPACK_PACKAGE_EXTRACTOR_H_
#define XA_XAPACK_PACKAGE_EXTRACTOR_H_

#include <string>

namespace xa::xapack {

// Deciphers every package file of the installer at `installer_path` into `folder` (created
// when missing), at its target path with the macro as the first folder ("{app}\Docs\a.rtf"
// becomes folder/{app}/Docs/a.rtf), and gives each file its stored times. Every target and
// stored content is checked before anything is written, so that a hostile or damaged installer
// (a target escaping the folder, a content outside the file) is refused whole; each file is
// written beside its place and renamed when complete, so a content that fails to decipher
// leaves no partial file. Returns the number of files. Raises xa::Exception "PATH: problem".
int ExtractPackage(const std::string& installer_path, const std::string& folder);

}  // namespace xa::xapack

#endif  // XA_XAPACK_PACKAGE_EXTRACTOR_H_
