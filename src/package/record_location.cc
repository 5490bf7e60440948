#include "package/record_location.h"

#include "package/tag_stream.h"

namespace xa {

bool SeekToRecord(TStream& stream) {
  const int64_t size = stream.Size();
  if (size < kPayloadPointerOffset + 4)
    return false;
  stream.Seek(kPayloadPointerOffset, SeekOrigin::kBeginning);
  TTagStreamAdapter adapter(stream);
  const int32_t pointer = adapter.ReadInteger();
  if (pointer < 0 || pointer > size)
    return false;
  stream.Seek(pointer, SeekOrigin::kBeginning);
  return true;
}

void StampRecordPointer(TStream& stream, int32_t record_start) {
  stream.Seek(kPayloadPointerOffset, SeekOrigin::kBeginning);
  TTagStreamAdapter(stream).WriteMagic(record_start);
}

}  // namespace xa
