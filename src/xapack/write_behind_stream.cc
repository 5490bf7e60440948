#include "xapack/write_behind_stream.h"

#include "package/cipher_stream.h"

namespace xa::xapack {

TWriteBehindStream::TWriteBehindStream(TStream& target) : target_(target) {
  filling_.reserve(static_cast<size_t>(CipherPassSize));
  writing_.reserve(static_cast<size_t>(CipherPassSize));
  thread_ = std::thread([this] { Run(); });
}

TWriteBehindStream::~TWriteBehindStream() {
  try {
    Finish();
  } catch (...) {
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void TWriteBehindStream::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return handed_over_ || stopping_; });
    if (!handed_over_)
      return;
    lock.unlock();
    std::exception_ptr failure;
    try {
      target_.WriteBuffer(writing_.data(), static_cast<int64_t>(writing_.size()));
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    writing_.clear();
    handed_over_ = false;
    if (failure && !failure_)
      failure_ = failure;
    changed_.notify_all();
  }
}

void TWriteBehindStream::HandOver(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [this] { return !handed_over_; });
  RaiseFailure();
  filling_.swap(writing_);
  handed_over_ = true;
  changed_.notify_all();
}

void TWriteBehindStream::RaiseFailure() {
  if (failure_)
    std::rethrow_exception(failure_);
}

int64_t TWriteBehindStream::Write(const void* buffer, int64_t count) {
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  std::unique_lock<std::mutex> lock(mutex_);
  RaiseFailure();
  for (int64_t done = 0; done < count;) {
    const int64_t room = CipherPassSize - static_cast<int64_t>(filling_.size());
    const int64_t pass = std::min(room, count - done);
    filling_.insert(filling_.end(), bytes + done, bytes + done + pass);
    done += pass;
    if (static_cast<int64_t>(filling_.size()) == CipherPassSize)
      HandOver(lock);
  }
  return count;
}

void TWriteBehindStream::Finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!filling_.empty())
    HandOver(lock);
  changed_.wait(lock, [this] { return !handed_over_; });
  RaiseFailure();
}

int64_t TWriteBehindStream::Read(void* buffer, int64_t count) {
  Finish();
  return target_.Read(buffer, count);
}

int64_t TWriteBehindStream::Seek(int64_t offset, SeekOrigin origin) {
  // A question for the position needs everything written too: the target's tells only that.
  Finish();
  return target_.Seek(offset, origin);
}

int64_t TWriteBehindStream::Size() {
  Finish();
  return target_.Size();
}

}  // namespace xa::xapack
