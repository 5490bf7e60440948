#ifndef XA_PACKAGE_XA_DATA_H_
#define XA_PACKAGE_XA_DATA_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "package/stream.h"

namespace xa {

class TXaData;

// Progress callback: the reporting record, the step's message (ANSI text) and the percent of
// the expected steps done, -1 when none are expected; not clamped to 0..100.
using ProgressCallback =
    std::function<void(TXaData& sender, const std::string& message, int32_t percent)>;

// The program description shared by the install package and the uninstall record.
class TXaData {
 public:
  TXaData() = default;
  virtual ~TXaData() = default;
  TXaData(const TXaData&) = delete;
  TXaData& operator=(const TXaData&) = delete;

  // Sets every description field to its default (version 1.0, texts and banner empty).
  virtual void Clear();

  // Reads the record of this class's role from a stream on an executable. A missing or foreign
  // record is no error: the record keeps its defaults. Stream errors propagate.
  virtual void LoadFromStream(TStream& stream) = 0;

  // Opens `path` for reading with no other access allowed, loads it, closes it, and only on
  // success sets FileName. Raises EStreamError "Cannot open file ..." and whatever the load
  // raises.
  void LoadFromFile(const std::string& path);

  // Adds `steps` to StepsDone and reports `message` with the rounded percent to OnProgress.
  void Progress(const std::string& message, int32_t steps);

  std::string FileName;
  int32_t StepsDone = 0;
  int32_t StepsExpected = 0;
  std::vector<uint8_t> Banner;  // the JPEG file's bytes; empty: no picture
  ProgressCallback OnProgress;
  std::string ProgramName;
  int32_t VersionMajor = 0;
  int32_t VersionMinor = 0;
  int32_t VersionBuild = 0;
  int32_t VersionRelease = 0;
  std::string Publisher;
  std::string Website;
  std::string Address;
  std::string ContactName;
  std::string ContactEmail;
};

// Windows' MulDiv: number * numerator / denominator computed in 64 bits and rounded to the
// nearest integer (halves away from zero); -1 when the denominator is 0 or the result does not
// fit 32 bits.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

}  // namespace xa

#endif  // XA_PACKAGE_XA_DATA_H_
