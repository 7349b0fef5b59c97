#pragma once
// One call to a desktop portal (org.freedesktop.portal.Desktop) whose outcome arrives
// later as the Response signal of a request object. The signal is listened for before
// the call goes out, on the path the handle_token names, so that a quick answer is never
// missed.
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantList>
#include <QVariantMap>
#include <functional>

class PortalRequest : public QObject {
  Q_OBJECT
 public:
  // ok: the portal answered Response 0; results are its answer.
  using Answer = std::function<void(bool ok, const QVariantMap& results)>;

  PortalRequest(QDBusConnection bus, const QString& interface, const QString& method, int timeoutMs,
                QObject* parent = nullptr);
  ~PortalRequest() override;

  // Calls the method with arguments, then options with our handle_token added. answer
  // runs once, from the event loop: on Response 0, or with ok false on an error reply,
  // another response, or no response within the bound. The request then deletes itself;
  // deleting it earlier (with its parent) drops the answer.
  void Call(const QVariantList& arguments, QVariantMap options, Answer answer);

 private slots:
  void Response(uint response, const QVariantMap& results);

 private:
  void Listen(const QString& path);
  void Answered(bool ok, const QVariantMap& results);

  QDBusConnection bus_;
  const QString interface_, method_;
  const int timeoutMs_;
  QStringList paths_;  // request objects listened on
  QTimer bound_;
  Answer answer_;
};
