// The file manager's properties dialog over D-Bus, on a private session bus that the test
// starts, with a stand-in file manager on it.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include "FakeFileManager.h"
#include "TestFiles.h"
#include "platform/FileManager.h"

TEST(FileManager, PropertiesAreAskedWithoutWaiting) {
  TestFiles files;
  const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
  if (daemon.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
  QProcess bus;
  bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
  ASSERT_TRUE(bus.waitForReadyRead(5000));
  const QString address = QString::fromUtf8(bus.readLine()).trimmed();
  {
    QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("fm-service"));
    QDBusConnection client = QDBusConnection::connectToBus(address, QStringLiteral("fm-client"));
    ASSERT_TRUE(service.isConnected() && client.isConnected());

    // Nobody answers yet: the call returns and the error reply is dropped.
    FileManager::ShowItemProperties(files.Path(QStringLiteral("a b.jpg")), client);

    QObject root;
    auto* manager = new FakeFileManager(&root);
    ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &root));
    ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    const QString path = files.Path(QStringLiteral("a b.jpg"));
    FileManager::ShowItemProperties(path, client);
    EXPECT_EQ(manager->calls, 0);  // asynchronous: nothing has arrived yet
    EXPECT_TRUE(QTest::qWaitFor([&] { return manager->calls == 1; }, 5000));
    EXPECT_EQ(manager->uris, QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)});
    EXPECT_TRUE(manager->uris.value(0).endsWith(QStringLiteral("/a%20b.jpg")));
    EXPECT_EQ(manager->startupId, QString());
  }
  QDBusConnection::disconnectFromBus(QStringLiteral("fm-service"));
  QDBusConnection::disconnectFromBus(QStringLiteral("fm-client"));
  bus.terminate();
  bus.waitForFinished(5000);
}
