#include "engine/uninstaller_stub.h"

#include "package/errors.h"
#include "package/record_location.h"

namespace xa {

int64_t CopyInstallerStub(TStream& installer, TStream& output) {
  constexpr int64_t kPointerEnd = kPayloadPointerOffset + 4;
  const int64_t size = installer.Size();
  if (size < kPointerEnd)
    throw EStreamError(kInvalidFileFormat);
  uint8_t pointer[4];
  installer.Seek(kPayloadPointerOffset, SeekOrigin::kBeginning);
  installer.ReadBuffer(pointer, sizeof(pointer));
  const int64_t stub_size = static_cast<int64_t>(pointer[0]) | (int64_t{pointer[1]} << 8) |
                            (int64_t{pointer[2]} << 16) | (int64_t{pointer[3]} << 24);
  if (stub_size < kPointerEnd || stub_size > size)
    throw EStreamError(kInvalidFileFormat);
  installer.Seek(0, SeekOrigin::kBeginning);
  output.CopyFrom(installer, stub_size);
  return stub_size;
}

}  // namespace xa
