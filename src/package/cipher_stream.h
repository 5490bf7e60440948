#ifndef XA_PACKAGE_CIPHER_STREAM_H_
#define XA_PACKAGE_CIPHER_STREAM_H_

#include <cstdint>

#include "package/aes.h"
#include "package/stream.h"

namespace xa {

// Receives the input position and the input size, both truncated to 32 bits.
using CipherProgressProc = void (*)(int32_t position, int32_t size);

// Process-wide progress hook of CipherStream; unset (null) at start.
extern CipherProgressProc CipherProgress;

// CipherStream reports progress whenever the input position reaches a multiple of this.
inline constexpr int64_t CipherProgressStep = 64;

// CipherStream moves whole blocks in passes of at most this many bytes: few enough system calls
// that a file costs what copying it costs, bounded memory.
inline constexpr int64_t CipherPassSize = int64_t{1} << 20;

// Transforms `input`, from its position, into `output`, each 16-byte block on its own with AES
// under `key`. Enciphering writes the (size / 16) whole blocks and then a final block holding
// the size % 16 remaining bytes, zero padding and that count in its last byte; deciphering
// reverses this and ignores bytes after the last whole block. Whole blocks move and are
// transformed a bounded pass at a time, on PreferredCipherPath(); the output and the progress
// calls are those of one block at a time. Raises ECipherException "Invalid file format" when
// the input runs short, is shorter than one block, or its final block's count is above 15;
// bytes for the blocks before the failure have been written. Raises EStreamError "Stream write
// error" when the output takes fewer bytes than given.
void CipherStream(TStream& input,
                  TStream& output,
                  const uint8_t* key,
                  int32_t key_length,
                  CipherDirection direction);

}  // namespace xa

#endif  // XA_PACKAGE_CIPHER_STREAM_H_
