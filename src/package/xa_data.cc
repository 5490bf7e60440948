#include "package/xa_data.h"

#include <limits>

#include "package/file_stream.h"
#include "package/read_buffer_stream.h"

namespace xa {

void TXaData::Clear() {
  Banner.clear();
  ProgramName.clear();
  VersionMajor = 1;
  VersionMinor = 0;
  VersionBuild = 0;
  VersionRelease = 0;
  Publisher.clear();
  Website.clear();
  Address.clear();
  ContactName.clear();
  ContactEmail.clear();
}

void TXaData::LoadFromFile(const std::string& path) {
  {
    TFileStream file(path, FileMode::kOpenRead);
    TReadBufferStream stream(file);
    LoadFromStream(stream);
  }
  FileName = path;
}

void TXaData::Progress(const std::string& message, int32_t steps) {
  StepsDone += steps;
  if (OnProgress)
    OnProgress(*this, message, MulDiv(StepsDone, 100, StepsExpected));
}

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
  if (denominator == 0)
    return -1;
  const int64_t product = static_cast<int64_t>(number) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const uint64_t magnitude =
      product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
  const uint64_t divisor = denominator < 0
                               ? static_cast<uint64_t>(-static_cast<int64_t>(denominator))
                               : static_cast<uint64_t>(denominator);
  const uint64_t quotient = (magnitude + divisor / 2) / divisor;
  if (quotient > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
    return -1;
  const auto result = static_cast<int32_t>(quotient);
  return negative ? -result : result;
}

}  // namespace xa
