#include "MemoryBudget.h"

#include <algorithm>
#include <utility>

MemoryBudget::Lease::Lease(Lease&& other) noexcept
    : budget_(std::exchange(other.budget_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}

MemoryBudget::Lease& MemoryBudget::Lease::operator=(Lease&& other) noexcept {
  if (this != &other) {
    Release();
    budget_ = std::exchange(other.budget_, nullptr);
    bytes_ = std::exchange(other.bytes_, 0);
  }
  return *this;
}

MemoryBudget::Lease::~Lease() {
  Release();
}

void MemoryBudget::Lease::Release() {
  if (!budget_) return;
  {
    std::lock_guard<std::mutex> lock(budget_->mutex_);
    budget_->held_ -= bytes_;
    --budget_->leases_;
  }
  budget_->changed_.notify_all();
  budget_ = nullptr;
  bytes_ = 0;
}

MemoryBudget::Lease MemoryBudget::Acquire(qint64 bytes, const std::atomic<bool>& cancelled) {
  bytes = std::max<qint64>(bytes, 0);
  std::unique_lock<std::mutex> lock(mutex_);
  ++waiting_;
  changed_.wait(lock, [&] { return cancelled.load() || leases_ == 0 || held_ + bytes <= limit_; });
  --waiting_;
  if (cancelled) return Lease();
  held_ += bytes;
  ++leases_;
  peak_ = std::max(peak_, held_);
  return Lease(this, bytes);
}

void MemoryBudget::WakeAll() {
  // Taking the lock orders the caller's flag before any waiter's next look at it.
  { std::lock_guard<std::mutex> lock(mutex_); }
  changed_.notify_all();
}

qint64 MemoryBudget::Held() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return held_;
}

qint64 MemoryBudget::PeakHeld() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return peak_;
}

int MemoryBudget::Waiting() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return waiting_;
}
