#pragma once
// One download pass of the changing desktop on a thread of its own, with its own
// QNetworkAccessManager: for each of the twenty pictures, a HEAD and then a GET of
// BaseUrl + "01.jpg" ... "20.jpg", the body into "DeskPicture" and then renamed to
// "DeskPicture<i>.jpg". Failures are skipped silently. Each picture kept is announced
// through Arrived, which the window thread receives queued.
#include <QString>
#include <QThread>
#include <atomic>
#include <mutex>

#include "DeskPicFolder.h"
#include "TransferLimits.h"

class HttpTransfer;

class TDownDeskPicThread : public QThread {
  Q_OBJECT

 public:
  TDownDeskPicThread(const QString& baseUrl, const DeskPicFolder& folder,
                     const TransferLimits& limits);
  // Waits for the thread (call RequestStop or Abort first to make that short).
  ~TDownDeskPicThread() override;

  // From the window thread: the pass ends before its next picture; the picture in flight
  // is still finished and kept.
  void RequestStop() { stop_ = true; }
  bool StopRequested() const { return stop_; }
  // From the window thread: the pass ends now; the request in flight fails.
  void Abort();

 signals:
  // Picture number has been kept.
  void Arrived(int number);

 protected:
  void run() override;

 private:
  bool Download(HttpTransfer& transfer, int number);

  const QString baseUrl_;
  const DeskPicFolder folder_;
  const TransferLimits limits_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;  // guards transfer_ and aborted_
  HttpTransfer* transfer_ = nullptr;
  bool aborted_ = false;
};
