#include "package/record_location.h"

#include "package/tag_stream.h"

namespace xa {

std::optional<int32_t> ReadRecordPointer(TStream& stream) {
  if (stream.Size() < kPayloadPointerOffset + 4)
    return std::nullopt;
  stream.Seek(kPayloadPointerOffset, SeekOrigin::kBeginning);
  return TTagStreamAdapter(stream).ReadInteger();
}

bool SeekToRecord(TStream& stream) {
  const std::optional<int32_t> pointer = ReadRecordPointer(stream);
  if (!pointer || *pointer < 0 || *pointer > stream.Size())
    return false;
  stream.Seek(*pointer, SeekOrigin::kBeginning);
  return true;
}

void StampRecordPointer(TStream& stream, int32_t record_start) {
  stream.Seek(kPayloadPointerOffset, SeekOrigin::kBeginning);
  TTagStreamAdapter(stream).WriteMagic(record_start);
}

}  // namespace xa
