#ifndef XA_XAPACK_PROGRESS_LINE_H_
#define XA_XAPACK_PROGRESS_LINE_H_

#include <cstdint>
#include <ostream>
#include <string>

namespace xa::xapack {

// Packages smaller than this build too fast for a progress display to help.
inline constexpr int64_t kProgressThreshold = int64_t{4} << 20;

// One terminal line "LABEL  42% (107 of 256 MiB)", rewritten in place whenever the whole
// percent changes. Shows nothing unless `enabled` and `total` reaches kProgressThreshold.
class ProgressLine {
 public:
  ProgressLine(std::ostream& out, std::string label, int64_t total, bool enabled);

  // Counts `bytes` more as done.
  void Add(int64_t bytes);

  // Ends the line when one was shown.
  void Finish();

 private:
  std::ostream& out_;
  std::string label_;
  int64_t total_;
  bool shown_;
  int64_t done_ = 0;
  int last_percent_ = -1;
};

}  // namespace xa::xapack

#endif  // XA_XAPACK_PROGRESS_LINE_H_
