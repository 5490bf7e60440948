#ifndef XA_PACKAGE_XA_INSTALL_H_
#define XA_PACKAGE_XA_INSTALL_H_

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "package/stream.h"
#include "package/xa_data.h"

namespace xa {

// One package file: where it goes and where its enciphered content lies in the installer.
struct TXaInstallFile {
  std::string TargetPath;      // may hold path macros such as {app}
  int32_t Size = 0;            // stored (enciphered) length, a multiple of 16
  uint64_t CreationTime = 0;   // Windows file time, 100 ns since 1601-01-01 UTC
  uint64_t LastWriteTime = 0;  // also the last-access time given to the file
  std::string ShortcutName;    // non-empty: a Start-menu shortcut of that name is made
  int32_t Offset = 0;          // file offset of the stored content in the installer
};

// A path the install created, in creation order; becomes the uninstall record.
struct TInstalledItem {
  std::string Path;
  int32_t Mark = 0;  // kInstalledFolder for a folder, anything else for a file
};

inline constexpr int32_t kInstalledFolder = 1;

// The install package ("XAIN") an installer carries.
class TXaInstall : public TXaData {
 public:
  // Also frees the file entries; leaves FileName, progress fields, InstalledItems and
  // TerminalFolders alone.
  void Clear() override;

  // Locates the record through the pointer at offset 136 and reads the "XAIN" payload; sets
  // CutShort when the data ends before the payload's end marker. Raises EStreamError "Stream
  // read error" when the banner's bytes are cut off.
  void LoadFromStream(TStream& stream) override;

  // Appends an empty entry to Files and returns it; the record owns it.
  TXaInstallFile& AddFile();

  // Writes the "XAUN" record of this install at the position of `stream` (the end of a new
  // uninstaller holding the stub), then stamps its start at offset 136; the stream is left at
  // offset 140. Raises EStreamError "Stream write error" when a write comes up short.
  void SaveUninstallRecord(TStream& stream) const;

  std::vector<TInstalledItem> InstalledItems;
  std::vector<std::unique_ptr<TXaInstallFile>> Files;
  std::vector<std::string> TerminalFolders;
  std::string SettingsOverride;
  std::string LicenseText;
  std::string ReadmeText;
  std::string WhatsNewText;
  std::array<uint8_t, 16> ContentKey{};
  // The payload ended before its end marker, as in a download cut short; what was read is kept.
  bool CutShort = false;
  // Set by an install run that failed and could not put back everything it changed.
  bool PartlyUndone = false;
};

// The one-byte mask the content key is stored XOR-ed with in the payload.
inline constexpr uint8_t kContentKeyMask = 0xA7;

}  // namespace xa

#endif  // XA_PACKAGE_XA_INSTALL_H_
