#pragma once
// One HTTP request of the changing desktop at a time, run to its end in a local event
// loop on the calling thread, within TransferLimits. Every request carries the program's
// user agent and "Accept: text/html, */*"; redirects are not followed, and any answer but
// 2xx is a failure. Nothing the server sends names a file: a body goes only into the
// file the caller opened.
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <atomic>

#include "TransferLimits.h"

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;

class HttpTransfer : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kUserAgent = "Picora/2.5";
  static constexpr const char* kAccept = "text/html, */*";

  // manager lives on the calling thread and outlives this object.
  HttpTransfer(QNetworkAccessManager& manager, const TransferLimits& limits);

  // A HEAD request; true for a 2xx answer within totalMs. flags are those of the local
  // loop (the window thread excludes user input).
  bool Head(const QUrl& url, int totalMs,
            QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
  // A GET request whose body goes into out; true for a 2xx answer whose body is a JPEG
  // stream (starts with FF D8 FF) of at most maxBodyBytes, written whole.
  bool GetJpeg(const QUrl& url, QIODevice& out);

  // From any thread: ends the request in flight as a failure, and every later one.
  void Abort();

 private:
  bool Run(bool head, const QUrl& url, QIODevice* out, int totalMs,
           QEventLoop::ProcessEventsFlags flags);
  Q_INVOKABLE void AbortNow();

  QNetworkAccessManager& manager_;
  const TransferLimits limits_;
  std::atomic<bool> aborted_{false};
  QPointer<QNetworkReply> reply_;
};
