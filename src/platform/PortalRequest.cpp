#include "PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
}

PortalRequest::PortalRequest(QDBusConnection bus, const QString& interface, const QString& method,
                             int timeoutMs, QObject* parent)
    : QObject(parent), bus_(bus), interface_(interface), method_(method), timeoutMs_(timeoutMs) {
  bound_.setSingleShot(true);
  connect(&bound_, &QTimer::timeout, this, [this] { Answered(false, {}); });
}

PortalRequest::~PortalRequest() {
  for (const QString& path : paths_)
    bus_.disconnect(QString(), path, kRequestInterface, QStringLiteral("Response"), this,
                    SLOT(Response(uint, QVariantMap)));
}

void PortalRequest::Listen(const QString& path) {
  if (path.isEmpty() || paths_.contains(path)) return;
  paths_ << path;
  // Any sender: naming the portal's service would make Qt look its owner up, and wait.
  bus_.connect(QString(), path, kRequestInterface, QStringLiteral("Response"), this,
               SLOT(Response(uint, QVariantMap)));
}

void PortalRequest::Call(const QVariantList& arguments, QVariantMap options, Answer answer) {
  answer_ = std::move(answer);
  bound_.start(timeoutMs_);
  if (!bus_.isConnected()) {
    QTimer::singleShot(0, this, [this] { Answered(false, {}); });
    return;
  }
  static int counter = 0;
  const QString token = QStringLiteral("picora%1").arg(++counter);
  // The portal names the request object after our unique name (":1.42" -> "1_42").
  QString sender = bus_.baseService();
  if (sender.startsWith(QLatin1Char(':'))) sender.remove(0, 1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  Listen(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));

  options.insert(QStringLiteral("handle_token"), token);
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.portal.Desktop"),
      QStringLiteral("/org/freedesktop/portal/desktop"), interface_, method_);
  call.setArguments(arguments + QVariantList{options});
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, timeoutMs_), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
    watcher->deleteLater();
    QDBusPendingReply<QDBusObjectPath> reply = *watcher;
    if (reply.isError()) return Answered(false, {});  // no portal, or not this interface
    // Portals older than handle_token answer on a path of their own choosing.
    Listen(reply.value().path());
  });
}

void PortalRequest::Response(uint response, const QVariantMap& results) {
  // 0: done; 1: the user cancelled; 2: the portal could not.
  Answered(response == 0, results);
}

void PortalRequest::Answered(bool ok, const QVariantMap& results) {
  if (!answer_) return;
  Answer answer = std::move(answer_);
  answer_ = nullptr;
  bound_.stop();
  deleteLater();
  answer(ok, results);
}
