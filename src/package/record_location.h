#ifndef XA_PACKAGE_RECORD_LOCATION_H_
#define XA_PACKAGE_RECORD_LOCATION_H_

#include <cstdint>
#include <optional>

#include "package/stream.h"

namespace xa {

// File offset of the 4-byte pointer to the record appended to an executable. It lies in the
// MS-DOS stub area, which is why our programs move their PE headers past it.
inline constexpr int64_t kPayloadPointerOffset = 136;

inline constexpr char kInstallMagic[] = "XAIN";
inline constexpr char kUninstallMagic[] = "XAUN";

// Reads the record pointer at offset 136; nullopt when the stream ends before its 4 bytes.
std::optional<int32_t> ReadRecordPointer(TStream& stream);

// Reads the pointer at offset 136 and moves `stream` to the record it names. False, with the
// stream position unspecified, when the pointer is cut off, negative, or beyond the file; the
// caller then treats the record as absent.
bool SeekToRecord(TStream& stream);

// Writes `record_start` as the pointer at offset 136; leaves the stream at offset 140.
void StampRecordPointer(TStream& stream, int32_t record_start);

}  // namespace xa

#endif  // XA_PACKAGE_RECORD_LOCATION_H_
