#ifndef XA_PACKAGE_CIPHER_BLOCKS_H_
#define XA_PACKAGE_CIPHER_BLOCKS_H_

#include <cstdint>

#include "package/aes.h"

namespace xa {

// The ways of transforming many blocks, slowest first.
enum class CipherPath : uint8_t {
  kReference,  // CipherBlock on each block
  kTables,     // 32-bit lookup tables, any processor
  kAesNi,      // AES instructions on 128-bit registers
  kVaes,       // AES instructions on 256-bit registers
};

// Process-wide ceiling on the path PreferredCipherPath picks; kVaes (none) at start. Tests lower
// it to run the slower paths on a processor that has the instructions.
extern CipherPath CipherPathLimit;

// Whether this processor can run `path`.
bool CipherPathAvailable(CipherPath path);

// The fastest available path not above CipherPathLimit.
CipherPath PreferredCipherPath();

// A prepared key laid out for transforming many blocks: built once per stream, beside the
// context it came from.
struct CipherSchedule {
  CipherContext context;
  CipherPath path;
  // The round keys in the order they are applied: the context's for enciphering; for
  // deciphering those of the equivalent inverse cipher, last key first with InvMixColumns
  // applied to the inner ones, as the instructions and the tables expect.
  uint8_t keys[240];
};

// Lays out `context` for `path`, which must be available.
void PrepareSchedule(const CipherContext& context, CipherPath path, CipherSchedule& schedule);

// Lays out `context` for PreferredCipherPath().
void PrepareSchedule(const CipherContext& context, CipherSchedule& schedule);

// Transforms `count` 16-byte blocks at `data` in place, each on its own, in the context's
// direction: the same bytes as CipherBlock on each block in turn.
void CipherBlocks(const CipherSchedule& schedule, uint8_t* data, int64_t count);

}  // namespace xa

#endif  // XA_PACKAGE_CIPHER_BLOCKS_H_
