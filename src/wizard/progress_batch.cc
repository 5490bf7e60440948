#include "wizard/progress_batch.h"

#include <mutex>
#include <utility>

namespace xa {

void TProgressBatch::Add(const std::string& message, int32_t percent) {
  const std::lock_guard<TLock> guard(lock_);
  pending_.Messages.push_back(message);
  pending_.Percent = percent;
}

TProgressBatch::TReports TProgressBatch::Take() {
  const std::lock_guard<TLock> guard(lock_);
  TReports taken = std::move(pending_);
  pending_ = TReports{};
  return taken;
}

}  // namespace xa
