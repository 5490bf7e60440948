#ifndef XA_ENGINE_SETTINGS_OVERRIDE_H_
#define XA_ENGINE_SETTINGS_OVERRIDE_H_

#include <array>
#include <cstdint>
#include <string>

#include "engine/terminal.h"
#include "package/xa_install.h"

namespace xa {

class TInstallJournal;

using TExpertsRecord = std::array<uint8_t, kExpertsRecordSize>;

// File offsets of the eight switches, in switch order.
inline constexpr std::array<size_t, 8> kSwitchOffsets = {4, 8, 12, 36, 40, 20, 24, 28};

// A new settings record: zero bytes after the header 0x90 0x01.
TExpertsRecord DefaultExpertsRecord();

// Applies the first eight characters of `settings` to the switch bytes of `record`: "1" sets
// 1, "0" and any other character but a blank set 0, a blank or a missing character leaves the
// byte alone. No other byte changes.
void PatchExpertsRecord(TExpertsRecord& record, const std::string& settings);

// The settings file of the terminal in `folder` (with or without a trailing backslash).
std::string ExpertsIniPath(const std::string& folder);

// Writes install.SettingsOverride into the settings file of the terminal in `folder`,
// creating its folder and a default record when missing. Bytes after the record in a longer
// file are kept. `journal` notes the folders made and the file's earlier bytes (or that it is
// new). Raises EStreamError "Cannot open file ..." or "Cannot create file ..."; the file is then
// unchanged. Windows only.
void OverrideTerminalSettings(const TXaInstall& install,
                              TInstallJournal& journal,
                              const std::string& folder);

}  // namespace xa

#endif  // XA_ENGINE_SETTINGS_OVERRIDE_H_
