#ifndef XA_APP_SINGLE_INSTANCE_WIN_H_
#define XA_APP_SINGLE_INSTANCE_WIN_H_

#include "shell/scoped_handle.h"

namespace xa {

// The machine-wide mark that one of our installers or uninstallers runs: two at once would
// write into the same terminals and undo each other's journal. Held until the object goes.
class TSingleInstance {
 public:
  // Takes the mark, or finds it taken.
  TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // True when another of our programs held the mark first.
  bool AnotherRuns() const { return another_runs_; }

 private:
  TScopedHandle mutex_;
  bool another_runs_ = false;
};

}  // namespace xa

#endif  // XA_APP_SINGLE_INSTANCE_WIN_H_
