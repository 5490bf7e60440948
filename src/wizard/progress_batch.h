#ifndef XA_WIZARD_PROGRESS_BATCH_H_
#define XA_WIZARD_PROGRESS_BATCH_H_

#include <cstdint>
#include <string>
#include <vector>

#include "package/lock.h"

namespace xa {

// Progress reports of a run gathered on the run's thread and shown by the GUI thread in
// batches, so that the screen is updated every few tens of milliseconds rather than per step.
class TProgressBatch {
 public:
  // What was reported since the last Take: the messages in report order and the last percent.
  struct TReports {
    std::vector<std::string> Messages;
    int32_t Percent = 0;
  };

  // Adds one report. Any thread.
  void Add(const std::string& message, int32_t percent);

  // Removes and returns what was reported since the last call; Messages is empty when nothing
  // was. Any thread.
  TReports Take();

 private:
  TLock lock_;
  TReports pending_;
};

}  // namespace xa

#endif  // XA_WIZARD_PROGRESS_BATCH_H_
