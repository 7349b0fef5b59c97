#include "DownDeskPicThread.h"

#include <unistd.h>

#include <QFile>
#include <QNetworkAccessManager>
#include <QUrl>

#include "HttpTransfer.h"

TDownDeskPicThread::TDownDeskPicThread(const QString& baseUrl, const DeskPicFolder& folder,
                                       const TransferLimits& limits)
    : baseUrl_(baseUrl), folder_(folder), limits_(limits) {}

TDownDeskPicThread::~TDownDeskPicThread() {
  wait();
}

void TDownDeskPicThread::Abort() {
  stop_ = true;
  std::lock_guard<std::mutex> lock(mutex_);
  aborted_ = true;
  if (transfer_) transfer_->Abort();
}

void TDownDeskPicThread::run() {
  QNetworkAccessManager manager;
  HttpTransfer transfer(manager, limits_);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (aborted_) transfer.Abort();
    transfer_ = &transfer;
  }
  for (int i = 1; i <= DeskPicFolder::kPictures; ++i) {
    if (stop_) break;
    if (Download(transfer, i)) emit Arrived(i);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  transfer_ = nullptr;
}

bool TDownDeskPicThread::Download(HttpTransfer& transfer, int number) {
  const int fd = folder_.CreatePartial();
  if (fd < 0) return false;
  QFile file;
  if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    folder_.RemovePartial();
    return false;
  }
  const QUrl url(baseUrl_ + QStringLiteral("%1.jpg").arg(number, 2, 10, QLatin1Char('0')));
  bool ok = transfer.Head(url, limits_.totalMs) && transfer.GetJpeg(url, file);
  ok = file.flush() && ok;
  file.close();
  if (!ok) {
    folder_.RemovePartial();
    return false;
  }
  return folder_.KeepPartialAs(number);
}
