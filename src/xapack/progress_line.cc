#include "xapack/progress_line.h"

namespace xa::xapack {

ProgressLine::ProgressLine(std::ostream& out, std::string label, int64_t total, bool enabled)
    : out_(out),
      label_(std::move(label)),
      total_(total),
      shown_(enabled && total >= kProgressThreshold) {}

void ProgressLine::Add(int64_t bytes) {
  done_ += bytes;
  if (!shown_)
    return;
  const int percent = static_cast<int>(done_ * 100 / total_);
  if (percent == last_percent_)
    return;
  last_percent_ = percent;
  out_ << '\r' << label_ << "  " << percent << "% (" << (done_ >> 20) << " of " << (total_ >> 20)
       << " MiB)" << std::flush;
}

void ProgressLine::Finish() {
  if (shown_ && last_percent_ >= 0)
    out_ << '\n' << std::flush;
}

}  // namespace xa::xapack
