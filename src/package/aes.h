#ifndef XA_PACKAGE_AES_H_
#define XA_PACKAGE_AES_H_

#include <cstdint>

namespace xa {

// Which way a prepared key transforms blocks. Any non-zero value enciphers.
enum class CipherDirection : uint8_t { kDecipher = 0, kEncipher = 1 };

// An AES key prepared for one direction: the expanded key schedule of FIPS-197.
struct CipherContext {
  CipherDirection direction;
  // Number of rounds Nr: 10, 12 or 14 for 16-, 24- and 32-byte keys.
  int32_t rounds;
  // Nr + 1 round keys of 16 bytes each, from the start; room for 15.
  uint8_t round_keys[240];
};

// Prepares `context` for `direction` from `key_length` bytes of `key`. Nk = key_length / 4,
// limited to 4..8, so keys shorter than 16 bytes act as if padded with zero bytes and bytes
// past the first 32 are ignored.
void InitCipher(const uint8_t* key,
                int32_t key_length,
                CipherContext& context,
                CipherDirection direction);

// Transforms one 16-byte block in place with the AES Cipher or InvCipher, as the context's
// direction says.
void CipherBlock(const CipherContext& context, uint8_t* block);

// Applies InvMixColumns to a 16-byte state in place: turns a round key of the cipher into the
// one the equivalent inverse cipher uses in its place.
void InvMixColumns(uint8_t* state);

}  // namespace xa

#endif  // XA_PACKAGE_AES_H_
