#ifndef XA_PACKAGE_TAG_STREAM_H_
#define XA_PACKAGE_TAG_STREAM_H_

#include <cstdint>
#include <string>
#include <vector>

#include "package/stream.h"

namespace xa {

// Type codes of tag values.
enum TagTypeCode : uint8_t {
  kTagList = 0,
  kTagByte = 1,
  kTagInteger = 4,
  kTagString = 7,
  kTagBlock = 8,
};

// The id of the end marker that closes a list.
inline constexpr int32_t kEndMarkerId = -1;

// Reads and writes the tagged stream format (a 4-byte magic, then tags: a 4-byte id, a 1-byte
// type code and a value) at the current position of a stream it does not own. Length fields
// read from the stream are never trusted: values are cut to what the stream still holds.
// Write failures raise EStreamError "Stream write error"; stream errors pass through.
class TTagStreamAdapter {
 public:
  explicit TTagStreamAdapter(TStream& stream) : stream_(stream) {}

  TStream& Stream() { return stream_; }

  void WriteMagic(int32_t value);
  void WriteTagHeader(int32_t id, uint8_t type);
  void WriteByte(int32_t id, uint8_t value);
  void WriteInteger(int32_t id, int32_t value);
  void WriteString(int32_t id, const std::string& text);
  // Header (id, 8), `count`, then `count` bytes of `source` from its position, copied in passes
  // of at most 4096 bytes; raises "Stream read error" when `source` holds fewer.
  void WriteStream(int32_t id, TStream& source, int32_t count);
  // Closes a list: id -1 with type byte 0.
  void WriteEndMarker();

  // True only when 4 bytes could be read and equal `expected`.
  bool CheckMagic(int32_t expected);
  // Reads the next header into TagId and TagType. False at the end of the data (also when a
  // header is cut short) and at an end marker, whose type byte it consumes.
  bool ReadTag();
  uint8_t ReadByte();
  int32_t ReadInteger();
  // A length, then that many bytes; a length of 0 or less reads nothing more, and a length
  // beyond the end of the data reads what remains.
  std::string ReadString();
  // A type-8 value: the length and the bytes. Raises EStreamError "Stream read error", before
  // allocating anything, when the length is negative or more than the data still holds.
  std::vector<uint8_t> ReadBlock();
  // Reads a type-8 value into `destination` (at most its size); the rest of the value is
  // skipped. Returns the number of bytes stored.
  size_t ReadBlockInto(uint8_t* destination, size_t capacity);
  // Moves past the current tag's value by its type code. Nested lists are skipped with a depth
  // count, not recursion; a negative length skips nothing.
  void SkipValue();
  // True when the last ReadTag returned false because the data ended, not at an end marker.
  bool AtEndOfData() const { return end_of_data_; }

  int32_t TagId = 0;
  uint8_t TagType = 0;

 private:
  int64_t Remaining();
  void SkipBytes(int64_t count);
  void SkipSimpleValue();

  TStream& stream_;
  bool end_of_data_ = false;  // the last ReadTag stopped at the end of the data
};

// The magic of a record as a little-endian 32-bit value of its four ASCII characters.
constexpr int32_t MagicOf(const char (&text)[5]) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint8_t>(text[0])) |
                              static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 8 |
                              static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 16 |
                              static_cast<uint32_t>(static_cast<uint8_t>(text[3])) << 24);
}

}  // namespace xa

#endif  // XA_PACKAGE_TAG_STREAM_H_
