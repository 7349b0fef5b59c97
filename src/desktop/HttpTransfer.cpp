#include "HttpTransfer.h"

#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <memory>

HttpTransfer::HttpTransfer(QNetworkAccessManager& manager, const TransferLimits& limits)
    : manager_(manager), limits_(limits) {}

bool HttpTransfer::Head(const QUrl& url, int totalMs, QEventLoop::ProcessEventsFlags flags) {
  return Run(true, url, nullptr, totalMs, flags);
}

bool HttpTransfer::GetJpeg(const QUrl& url, QIODevice& out) {
  return Run(false, url, &out, limits_.totalMs, QEventLoop::AllEvents);
}

void HttpTransfer::Abort() {
  aborted_ = true;
  // The reply belongs to the thread that sent it; it is aborted there.
  QMetaObject::invokeMethod(this, "AbortNow", Qt::QueuedConnection);
}

void HttpTransfer::AbortNow() {
  if (reply_) reply_->abort();
}

bool HttpTransfer::Run(bool head, const QUrl& url, QIODevice* out, int totalMs,
                       QEventLoop::ProcessEventsFlags flags) {
  if (aborted_) return false;
  QNetworkRequest request(url);
  // A redirect would let the server choose where we go; its status is a failure instead.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::ManualRedirectPolicy);
  request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kUserAgent));
  request.setRawHeader("Accept", kAccept);

  std::unique_ptr<QNetworkReply> reply(head ? manager_.head(request) : manager_.get(request));
  reply_ = reply.get();
  bool failed = false;
  qint64 received = 0;
  QByteArray start;  // the first bytes, until the JPEG signature could be judged

  QEventLoop loop;
  QTimer idle, total;
  idle.setSingleShot(true);
  total.setSingleShot(true);
  auto fail = [&] {
    failed = true;
    if (!reply->isFinished()) reply->abort();
    loop.quit();
  };
  auto statusOk = [&] {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() && status.toInt() >= 200 && status.toInt() <= 299;
  };
  auto takeBody = [&] {
    if (failed || !reply->isOpen()) return;
    const QByteArray chunk = reply->readAll();
    if (chunk.isEmpty()) return;
    received += chunk.size();
    if (!out || received > limits_.maxBodyBytes) return fail();
    if (start.size() < 3) {
      start += chunk.left(3 - start.size());
      const QByteArray signature("\xFF\xD8\xFF", 3);
      if (!signature.startsWith(start)) return fail();
    }
    if (out->write(chunk) != chunk.size()) return fail();
  };
  QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
    idle.start();
    if (!statusOk()) return fail();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > limits_.maxBodyBytes) fail();
  });
  QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
    idle.start();
    takeBody();
  });
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(&idle, &QTimer::timeout, &loop, fail);
  QObject::connect(&total, &QTimer::timeout, &loop, fail);
  idle.start(limits_.idleMs);
  total.start(totalMs);
  if (!aborted_ && !reply->isFinished()) loop.exec(flags);
  if (aborted_ && !reply->isFinished()) fail();

  if (!failed && reply->isFinished()) {
    takeBody();
    if (reply->error() != QNetworkReply::NoError || !statusOk()) failed = true;
    if (!head && start.size() < 3) failed = true;
  }
  if (!reply->isFinished()) {
    failed = true;
    reply->abort();
  }
  reply_ = nullptr;
  return !failed && !aborted_;
}
