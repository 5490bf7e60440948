#include "engine/uninstaller_stub.h"

#include "package/errors.h"
#include "package/record_location.h"

namespace xa {

int64_t CopyInstallerStub(TStream& installer, TStream& output) {
  constexpr int64_t kPointerEnd = kPayloadPointerOffset + 4;
  const std::optional<int32_t> stub_size = ReadRecordPointer(installer);
  if (!stub_size || *stub_size < kPointerEnd || *stub_size > installer.Size())
    throw EStreamError(kInvalidFileFormat);
  installer.Seek(0, SeekOrigin::kBeginning);
  output.CopyFrom(installer, *stub_size);
  return *stub_size;
}

}  // namespace xa
