#ifndef XA_XAPACK_WRITE_BEHIND_STREAM_H_
#define XA_XAPACK_WRITE_BEHIND_STREAM_H_

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "package/stream.h"

namespace xa::xapack {

// Hands what is written to a thread of its own, which writes it on to `target` one pass at a
// time while the caller fills the next, so that enciphering a pass and the system's copying of
// the last one overlap. Reads, seeks and sizes first wait until everything written has reached
// the target. A failed write of the thread is raised again, as it was raised, by the next call
// and by Finish. Does not own `target`, which the thread alone uses until Finish returns or a
// read, seek or size has waited.
class TWriteBehindStream : public TStream {
 public:
  explicit TWriteBehindStream(TStream& target);
  // Waits for the thread; a failure it met and that nobody asked for is dropped: call Finish.
  ~TWriteBehindStream() override;
  TWriteBehindStream(const TWriteBehindStream&) = delete;
  TWriteBehindStream& operator=(const TWriteBehindStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  // Takes all `count` bytes; raises the failure of an earlier write.
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override;

  // Waits until everything written has reached the target; raises what a write raised.
  void Finish();

 private:
  // The thread: writes each pass handed over until told to stop.
  void Run();
  // Hands the filled pass over, once the thread has written the one before.
  void HandOver(std::unique_lock<std::mutex>& lock);
  void RaiseFailure();

  TStream& target_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<uint8_t> filling_;
  std::vector<uint8_t> writing_;
  bool handed_over_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace xa::xapack

#endif  // XA_XAPACK_WRITE_BEHIND_STREAM_H_
