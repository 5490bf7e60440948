#include "engine/uninstaller_stub.h"

#include <algorithm>
#include <vector>

#include "package/errors.h"
#include "package/pe_layout.h"
#include "package/record_location.h"

namespace xa {
namespace {

// PE headers lie in the first page of a program.
constexpr int64_t kHeaderWindow = 4096;

}  // namespace

int64_t CopyInstallerStub(TStream& installer, TStream& output) {
  constexpr int64_t kPointerEnd = kPayloadPointerOffset + 4;
  const std::optional<int32_t> stub_size = ReadRecordPointer(installer);
  if (!stub_size || *stub_size < kPointerEnd || *stub_size > installer.Size())
    Raise<EStreamError>(kInvalidFileFormat);
  installer.Seek(0, SeekOrigin::kBeginning);
  std::vector<uint8_t> headers(static_cast<size_t>(std::min<int64_t>(*stub_size, kHeaderWindow)));
  installer.ReadBuffer(headers.data(), static_cast<int64_t>(headers.size()));
  try {
    // A signed installer's signature lies behind the stub; the copy must not point at it.
    ClearSignatureFields(headers);
  } catch (const PeLayoutError&) {
    // Not a program whose headers we know: copied unchanged.
  }
  output.WriteBuffer(headers.data(), static_cast<int64_t>(headers.size()));
  output.CopyFrom(installer, *stub_size - static_cast<int64_t>(headers.size()));
  return *stub_size;
}

}  // namespace xa
