#include "PictureServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class PictureServer::Worker : public QObject {
 public:
  mutable std::mutex mutex;
  QMap<QString, Answer> answers;
  std::vector<Request> requests;
  int gatedSent = 0;
  std::vector<std::pair<QPointer<QTcpSocket>, QByteArray>> gated;  // socket, rest of body
  QTcpServer* server = nullptr;

  ~Worker() override { delete server; }  // its sockets go while the members live

  quint16 Listen() {
    server = new QTcpServer(this);
    server->listen(QHostAddress::LocalHost, 0);
    connect(server, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server->nextPendingConnection()) Serve(socket);
    });
    return server->serverPort();
  }

  void Serve(QTcpSocket* socket) {
    auto* buffer = new QByteArray;
    connect(socket, &QObject::destroyed, [buffer] { delete buffer; });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
      if (buffer->contains("\r\n\r\n")) return;  // answered already
      *buffer += socket->readAll();
      if (buffer->contains("\r\n\r\n")) Respond(socket, *buffer);
    });
  }

  void Respond(QTcpSocket* socket, const QByteArray& received) {
    const QList<QByteArray> lines = received.left(received.indexOf("\r\n\r\n")).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    Request r;
    r.method = QString::fromLatin1(first.value(0));
    r.path = QString::fromLatin1(first.value(1));
    for (const QByteArray& line : lines.mid(1)) {
      const int colon = line.indexOf(':');
      const QByteArray name = line.left(colon).trimmed().toLower();
      const QByteArray value = line.mid(colon + 1).trimmed();
      if (name == "accept") r.accept = value;
      if (name == "user-agent") r.userAgent = value;
    }
    PictureServer::Answer a;
    {
      std::lock_guard<std::mutex> lock(mutex);
      r.whileGated = !gated.empty();
      requests.push_back(r);
      a = answers.value(r.path);
    }
    const bool head = r.method == QLatin1String("HEAD");
    auto send = [&](const QByteArray& status, const QByteArray& body, bool withLength = true) {
      QByteArray out = "HTTP/1.1 " + status + "\r\nConnection: close\r\n";
      if (withLength) out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
      out += "\r\n";
      socket->write(out);
      if (!head) socket->write(body);
    };
    switch (a.kind) {
      case Kind::Body:
        send("200 OK", a.body);
        break;
      case Kind::NotFound:
        send("404 Not Found", "not here");
        break;
      case Kind::Html:
        send("200 OK", "<html><body>no picture</body></html>");
        break;
      case Kind::Redirect:
        socket->write(
            "HTTP/1.1 302 Found\r\nLocation: /DeskPic/DeskPic01.jpg\r\n"
            "Content-Disposition: attachment; filename=\"../../evil.jpg\"\r\n"
            "Connection: close\r\nContent-Length: 0\r\n\r\n");
        break;
      case Kind::Endless: {
        if (head) {
          send("200 OK", QByteArray(), false);
          break;
        }
        socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n\xFF\xD8\xFF\xE0");
        auto* more = new QTimer(socket);
        connect(more, &QTimer::timeout, socket, [socket] {
          if (socket->bytesToWrite() < (1 << 20)) socket->write(QByteArray(64 << 10, 'x'));
        });
        more->start(1);
        return;  // never closed from here
      }
      case Kind::Stall:
        if (head) break;
        return;  // read and never answered
      case Kind::Silent:
        return;
      case Kind::Gated:
        if (head) {
          send("200 OK", a.body);
          break;
        }
        socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(a.body.size()) + "\r\n\r\n");
        socket->write(a.body.left(a.body.size() / 2));
        {
          std::lock_guard<std::mutex> lock(mutex);
          gated.emplace_back(socket, a.body.mid(a.body.size() / 2));
          ++gatedSent;
        }
        return;
    }
    if (a.kind == Kind::Stall) send("200 OK", QByteArray(), false);
    socket->disconnectFromHost();
  }

  void ReleaseNow() {
    std::vector<std::pair<QPointer<QTcpSocket>, QByteArray>> now;
    {
      std::lock_guard<std::mutex> lock(mutex);
      now.swap(gated);
    }
    for (auto& [socket, rest] : now) {
      if (!socket) continue;
      socket->write(rest);
      socket->disconnectFromHost();
    }
  }
};

PictureServer::PictureServer() {
  worker_ = new Worker;
  worker_->moveToThread(&thread_);
  thread_.start();
  QMetaObject::invokeMethod(
      worker_, [this] { port_ = worker_->Listen(); }, Qt::BlockingQueuedConnection);
}

PictureServer::~PictureServer() {
  QMetaObject::invokeMethod(
      worker_, [this] { delete worker_; }, Qt::BlockingQueuedConnection);
  thread_.quit();
  thread_.wait();
}

void PictureServer::Set(const QString& path, Answer answer) {
  std::lock_guard<std::mutex> lock(worker_->mutex);
  worker_->answers[path] = answer;
}

QString PictureServer::Address() const {
  return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

std::vector<PictureServer::Request> PictureServer::Requests() const {
  std::lock_guard<std::mutex> lock(worker_->mutex);
  return worker_->requests;
}

int PictureServer::GatedSent() const {
  std::lock_guard<std::mutex> lock(worker_->mutex);
  return worker_->gatedSent;
}

void PictureServer::Release() {
  QMetaObject::invokeMethod(
      worker_, [this] { worker_->ReleaseNow(); }, Qt::QueuedConnection);
}
