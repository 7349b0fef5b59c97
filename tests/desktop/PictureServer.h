#pragma once
// A real HTTP/1.1 server for the changing desktop's tests: a QTcpServer on a thread of its
// own, listening on 127.0.0.1 port 0. Each path answers as the test says; every request
// is recorded with its method, path, Accept and User-Agent, and with whether a gated
// body was being held back when it came. Each connection answers one request and
// closes.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QThread>
#include <mutex>
#include <vector>

class QTcpServer;
class QTcpSocket;

class PictureServer {
 public:
  enum class Kind {
    Body,      // 200 with the body
    NotFound,  // 404
    Html,      // 200, an HTML page
    Redirect,  // 302 to another path
    Endless,   // 200, a JPEG start and then data for ever, no length
    Stall,     // HEAD answered (200); a GET is read and never answered
    Silent,    // read and never answered
    Gated,     // HEAD answered; a GET sends its headers and half the body, the rest on Release
  };
  struct Answer {
    Kind kind = Kind::NotFound;
    QByteArray body;
  };
  struct Request {
    QString method, path;
    QByteArray accept, userAgent;
    bool whileGated = false;  // a gated body was being held back when it came
  };

  PictureServer();
  ~PictureServer();

  // Paths not set answer 404.
  void Set(const QString& path, Answer answer);
  QString Address() const;  // "http://127.0.0.1:<port>"
  std::vector<Request> Requests() const;
  // Gated GETs whose headers have gone out.
  int GatedSent() const;
  // Sends the rest of every gated body.
  void Release();

 private:
  class Worker;
  QThread thread_;
  Worker* worker_ = nullptr;
  quint16 port_ = 0;
};
