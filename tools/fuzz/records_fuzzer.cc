// libFuzzer target: both records load from arbitrary bytes placed after a stub whose pointer
// names them. Loading may raise the library's exceptions but must never crash, hang or
// allocate without bound.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "package/errors.h"
#include "package/memory_stream.h"
#include "package/record_location.h"
#include "package/xa_install.h"
#include "package/xa_uninstall.h"

namespace {

constexpr int32_t kStubSize = 140;

template <typename Record>
void Load(const std::vector<uint8_t>& executable) {
  xa::TMemoryStream stream(executable);
  Record record;
  try {
    record.LoadFromStream(stream);
  } catch (const xa::Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> executable(kStubSize, 0);
  xa::TMemoryStream stub(executable);
  xa::StampRecordPointer(stub, kStubSize);
  executable = stub.Bytes();
  // The fuzzer's bytes follow a magic chosen by the first byte, so both readers get past it.
  const char* magic = size > 0 && data[0] % 2 ? xa::kUninstallMagic : xa::kInstallMagic;
  executable.insert(executable.end(), magic, magic + 4);
  if (size > 0)
    executable.insert(executable.end(), data + 1, data + size);
  Load<xa::TXaInstall>(executable);
  Load<xa::TXaUninstall>(executable);
  return 0;
}
