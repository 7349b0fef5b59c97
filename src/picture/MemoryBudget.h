#pragma once
// A number of bytes that concurrent jobs share: each job holds the memory it estimated for
// itself while it runs, and a job that does not fit waits for others to finish instead of
// pushing the process over. A job larger than the whole budget runs alone.
#include <QtGlobal>
#include <atomic>
#include <condition_variable>
#include <mutex>

class MemoryBudget {
 public:
  explicit MemoryBudget(qint64 bytes) : limit_(bytes) {}
  MemoryBudget(const MemoryBudget&) = delete;
  MemoryBudget& operator=(const MemoryBudget&) = delete;

  // Memory held for one job until it ends (or is moved from).
  class Lease {
   public:
    Lease() = default;
    Lease(Lease&& other) noexcept;
    Lease& operator=(Lease&& other) noexcept;
    ~Lease();
    explicit operator bool() const { return budget_ != nullptr; }

   private:
    friend class MemoryBudget;
    Lease(MemoryBudget* budget, qint64 bytes) : budget_(budget), bytes_(bytes) {}
    void Release();
    MemoryBudget* budget_ = nullptr;
    qint64 bytes_ = 0;
  };

  // Waits until bytes fit beside what the other leases hold, then holds them. Returns an
  // empty lease, without holding anything, once cancelled is true: whoever sets it calls
  // WakeAll so that waiting jobs see it.
  Lease Acquire(qint64 bytes, const std::atomic<bool>& cancelled);
  void WakeAll();

  qint64 Limit() const { return limit_; }
  qint64 Held() const;
  // The most ever held at once.
  qint64 PeakHeld() const;
  // Jobs waiting in Acquire.
  int Waiting() const;

 private:
  const qint64 limit_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  qint64 held_ = 0;
  int leases_ = 0;
  int waiting_ = 0;
  qint64 peak_ = 0;
};
