#ifndef XA_ENGINE_TERMINAL_H_
#define XA_ENGINE_TERMINAL_H_

#include <cstddef>
#include <cstdint>

namespace xa {

// What we rely on of a MetaTrader 4 terminal; nothing else of it is assumed.

// A terminal installation is a folder holding this file directly.
inline constexpr char kTerminalExeName[] = "terminal.exe";

// A running terminal owns a top-level window of this class.
inline constexpr char kTerminalWindowClass[] = "MetaQuotes::MetaTrader::4.00";

// The Expert Advisor settings record, relative to the terminal folder.
inline constexpr char kExpertsIniPath[] = "config\\experts.ini";

// The settings record is binary and this long.
inline constexpr size_t kExpertsRecordSize = 292;

// The first two bytes of a new settings record (400, little-endian).
inline constexpr uint8_t kExpertsRecordHeader[2] = {0x90, 0x01};

// The folder below Program Files that a default installation uses.
inline constexpr char kDefaultTerminalFolder[] = "MetaTrader 4";

// The shell operation that starts a terminal.
inline constexpr char kTerminalStartVerb[] = "open";

}  // namespace xa

#endif  // XA_ENGINE_TERMINAL_H_
