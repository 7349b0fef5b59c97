// The wallpaper chain against real parts started here: the real gsettings on its keyfile
// backend in a temporary folder, a private D-Bus bus with stand-in portal and Plasma
// shell, and stand-in xfconf-query and plasma-apply-wallpaperimage scripts first on PATH
// (the real programs need a running Xfce or Plasma session). The bare X11 way is covered
// by WallpaperXRootTest; here DISPLAY is never passed, so the root is not touched.
//
// Every picture lives in a home folder named "it's home 图片": each way must store the
// exact path or URI whatever the quote, the space and the Chinese characters.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>
#include <memory>
#include <optional>

#include "FakePlasmaShell.h"
#include "FakeWallpaperPortal.h"
#include "PrivateBus.h"
#include "TestFiles.h"
#include "platform/Wallpaper.h"

namespace {

using Way = Wallpaper::Way;

const char* const kFakeXfconf = R"(#!/bin/bash
# Stand-in for xfconf-query: logs every call (arguments separated by \037) and keeps the
# properties of the channel in a file, one "property\037value" a line.
dir=$(dirname "$0")
{ printf '%s\037' "$@"; printf '\n'; } >> "$dir/xfconf.log"
channel= property= value= set= new= list=
while [ $# -gt 0 ]; do
  case "$1" in
    -c) channel=$2; shift 2 ;;
    -p) property=$2; shift 2 ;;
    -s) value=$2; set=1; shift 2 ;;
    -t) shift 2 ;;
    -n) new=1; shift ;;
    -l) list=1; shift ;;
    *) exit 2 ;;
  esac
done
[ "$channel" = xfce4-desktop ] || exit 1
store=$dir/xfconf.store
touch "$store"
if [ -n "$list" ]; then
  while IFS=$'\037' read -r p v; do printf '%s\n' "$p"; done < "$store"
  exit 0
fi
found= current=
while IFS=$'\037' read -r p v; do
  if [ "$p" = "$property" ]; then found=1; current=$v; fi
done < "$store"
if [ -z "$set" ]; then
  [ -n "$found" ] || { echo "Property \"$property\" does not exist" >&2; exit 1; }
  printf '%s\n' "$current"
  exit 0
fi
[ -n "$found" ] || [ -n "$new" ] || exit 1
{ while IFS=$'\037' read -r p v; do
    [ "$p" = "$property" ] || printf '%s\037%s\n' "$p" "$v"
  done < "$store"
  printf '%s\037%s\n' "$property" "$value"; } > "$store.new"
mv "$store.new" "$store"
)";

const char* const kFakePlasmaHelper = R"(#!/bin/bash
# Stand-in for plasma-apply-wallpaperimage: logs its arguments; fails when told to.
dir=$(dirname "$0")
{ printf '%s\037' "$@"; printf '\n'; } >> "$dir/plasma.log"
[ ! -e "$dir/plasma.fail" ]
)";

// The keys of the three desktops that keep their wallpaper in GSettings.
QByteArray Schemas(bool darkKey) {
  QByteArray xml =
      "<schemalist>\n"
      "  <schema id='org.gnome.desktop.background' path='/org/gnome/desktop/background/'>\n"
      "    <key name='picture-uri' type='s'><default>''</default></key>\n";
  if (darkKey) xml += "    <key name='picture-uri-dark' type='s'><default>''</default></key>\n";
  xml +=
      "  </schema>\n"
      "  <schema id='org.cinnamon.desktop.background' path='/org/cinnamon/desktop/background/'>\n"
      "    <key name='picture-uri' type='s'><default>''</default></key>\n"
      "  </schema>\n"
      "  <schema id='org.mate.background' path='/org/mate/desktop/background/'>\n"
      "    <key name='picture-filename' type='s'><default>''</default></key>\n"
      "  </schema>\n"
      "</schemalist>\n";
  return xml;
}

// The string inside GVariant text as gsettings prints it: '...' or "..." with escapes.
QString ParseGVariantString(const QString& text) {
  const QString t = text.trimmed();
  if (t.size() < 2 || (t[0] != QLatin1Char('\'') && t[0] != QLatin1Char('"')) || t.back() != t[0])
    return QStringLiteral("<not a string: %1>").arg(t);
  QString out;
  for (qsizetype i = 1; i + 1 < t.size(); ++i) {
    if (t[i] != QLatin1Char('\\')) {
      out += t[i];
      continue;
    }
    const QChar e = t[++i];
    if (e == QLatin1Char('u')) {
      out += QChar(t.mid(i + 1, 4).toUShort(nullptr, 16));
      i += 4;
    } else if (e == QLatin1Char('n')) {
      out += QLatin1Char('\n');
    } else if (e == QLatin1Char('t')) {
      out += QLatin1Char('\t');
    } else {
      out += e;
    }
  }
  return out;
}

// One call of a stand-in helper: its arguments.
QList<QStringList> ReadLog(const QString& path) {
  QList<QStringList> calls;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return calls;
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (line.isEmpty()) continue;
    QStringList args = QString::fromUtf8(line).split(QChar(0x1F));
    args.removeLast();  // every argument ends in the separator
    calls << args;
  }
  return calls;
}

}  // namespace

class WallpaperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!bus.Running()) GTEST_SKIP() << "dbus-daemon is not installed";
    home = files.Path(QStringLiteral("it's home 图片"));
    bin = files.Path(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(home) && QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(files.Path(QStringLiteral("data"))));
    picture =
        files.WriteBmp(QStringLiteral("it's home 图片/WallPaper.bmp"), TestFiles::Pattern(30, 20));
    uri = QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded);
    WriteScript(QStringLiteral("xfconf-query"), kFakeXfconf);
    WriteScript(QStringLiteral("plasma-apply-wallpaperimage"), kFakePlasmaHelper);
    client = bus.Connect(QStringLiteral("wallpaper-client"));
    service = bus.Connect(QStringLiteral("wallpaper-service"));
    ASSERT_TRUE(client.isConnected() && service.isConnected());
  }

  void WriteScript(const QString& name, const char* text) {
    const QString path = files.WriteBytes(QStringLiteral("bin/") + name, text);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  // The environment of a desktop session with nothing of the user's: the fakes first on
  // PATH, settings in the temporary folder, no X server.
  Wallpaper::Options Options(const QString& desktop, const QString& config = QString()) const {
    Wallpaper::Options options;
    options.bus = client;
    QProcessEnvironment& e = options.environment;
    e.insert(QStringLiteral("PATH"), bin + QStringLiteral(":/usr/local/bin:/usr/bin:/bin"));
    e.insert(QStringLiteral("HOME"), home);
    e.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    e.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
    e.insert(QStringLiteral("XDG_CONFIG_HOME"),
             files.Path(config.isEmpty() ? QStringLiteral("config") : config));
    e.insert(QStringLiteral("XDG_DATA_DIRS"), files.Path(QStringLiteral("data")));
    e.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    e.insert(QStringLiteral("GSETTINGS_SCHEMA_DIR"), files.Path(QStringLiteral("schemas")));
    e.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.Address());
    return options;
  }

  // Sets path and waits for the outcome, checking that Set itself returned at once.
  Way SetAndWait(const QString& path, const Wallpaper::Options& options) {
    auto way = std::make_shared<std::optional<Way>>();
    Wallpaper::SetWith(path, options, [way](Way w) { *way = w; });
    EXPECT_FALSE(way->has_value()) << "the outcome came before Set returned";
    EXPECT_TRUE(QTest::qWaitFor([&] { return way->has_value(); }, 60000));
    return way->value_or(Way::None);
  }

  bool CompileSchemas(const QString& folder, bool darkKey) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("glib-compile-schemas"));
    if (program.isEmpty() || !QDir().mkpath(folder)) return false;
    QFile file(folder + QStringLiteral("/picora-test.gschema.xml"));
    if (!file.open(QIODevice::WriteOnly) || file.write(Schemas(darkKey)) < 0) return false;
    file.close();
    return QProcess::execute(program, {folder}) == 0;
  }

  // What the real gsettings reads back under options' environment.
  static QString Get(const Wallpaper::Options& options, const QString& schema, const QString& key) {
    QProcess gsettings;
    gsettings.setProcessEnvironment(options.environment);
    gsettings.start(QStringLiteral("gsettings"), {QStringLiteral("get"), schema, key});
    if (!gsettings.waitForFinished(30000) || gsettings.exitCode() != 0)
      return QStringLiteral("<gsettings get failed>");
    return ParseGVariantString(QString::fromUtf8(gsettings.readAllStandardOutput()));
  }

  void WriteXfconfStore(const QList<std::pair<QString, QString>>& properties) {
    QByteArray text;
    for (const auto& [property, value] : properties)
      text += property.toUtf8() + '\x1f' + value.toUtf8() + '\n';
    files.WriteBytes(QStringLiteral("bin/xfconf.store"), text);
  }

  QMap<QString, QString> ReadXfconfStore() const {
    QMap<QString, QString> store;
    QFile file(bin + QStringLiteral("/xfconf.store"));
    if (!file.open(QIODevice::ReadOnly)) return store;
    for (const QByteArray& line : file.readAll().split('\n')) {
      const qsizetype cut = line.indexOf('\x1f');
      if (cut >= 0) store[QString::fromUtf8(line.left(cut))] = QString::fromUtf8(line.mid(cut + 1));
    }
    return store;
  }

  // The values each property was given, in order.
  QMap<QString, QStringList> XfconfStores() const {
    QMap<QString, QStringList> stores;
    for (const QStringList& call : ReadLog(bin + QStringLiteral("/xfconf.log"))) {
      const qsizetype p = call.indexOf(QStringLiteral("-p")),
                      s = call.indexOf(QStringLiteral("-s"));
      if (p >= 0 && s >= 0) stores[call.value(p + 1)] << call.value(s + 1);
    }
    return stores;
  }

  void ClearLogs() {
    QFile::remove(bin + QStringLiteral("/xfconf.log"));
    QFile::remove(bin + QStringLiteral("/plasma.log"));
  }

  TestFiles files;
  PrivateBus bus;
  QDBusConnection client{QString()}, service{QString()};
  QString home, bin, picture, uri;
};

TEST_F(WallpaperTest, DesktopsKeepingTheirPictureInGsettings) {
  if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
    GTEST_SKIP() << "gsettings is not installed";
  ASSERT_TRUE(CompileSchemas(files.Path(QStringLiteral("schemas")), true));
  ASSERT_TRUE(CompileSchemas(files.Path(QStringLiteral("old-schemas")), false));
  const QString gnome = QStringLiteral("org.gnome.desktop.background");
  const QString cinnamon = QStringLiteral("org.cinnamon.desktop.background");
  const QString mate = QStringLiteral("org.mate.background");

  enum Schemas { Current, Old, Missing };
  const struct {
    const char* desktop;
    Schemas schemas;
    Way way;
    // Expected values; "uri" and "path" stand for the picture's.
    const char *gnomeUri, *gnomeDark, *cinnamonUri, *mateFile;
  } cases[] = {
      {"GNOME", Current, Way::Gnome, "uri", "uri", "", ""},
      {"ubuntu:GNOME", Current, Way::Gnome, "uri", "uri", "", ""},
      {"Unity", Current, Way::Gnome, "uri", "uri", "", ""},
      {"X-Cinnamon", Current, Way::Cinnamon, "", "", "uri", ""},
      {"Cinnamon", Current, Way::Cinnamon, "", "", "uri", ""},
      {"MATE", Current, Way::Mate, "", "", "", "path"},
      // Schemas from before the dark style: the light key is enough.
      {"GNOME", Old, Way::Gnome, "uri", nullptr, "", ""},
      // No GNOME at all: the way fails and nothing else is there.
      {"GNOME", Missing, Way::None, nullptr, nullptr, nullptr, nullptr},
      // Desktops we do not know are never guessed at.
      {"Pantheon", Current, Way::None, "", "", "", ""},
      {"", Current, Way::None, "", "", "", ""},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.desktop);
    SCOPED_TRACE(int(c.schemas));
    Wallpaper::Options options =
        Options(QString::fromUtf8(c.desktop), QStringLiteral("config%1").arg(++n));
    const QString schemaDir = c.schemas == Current ? QStringLiteral("schemas")
                              : c.schemas == Old   ? QStringLiteral("old-schemas")
                                                   : QStringLiteral("no-schemas");
    options.environment.insert(QStringLiteral("GSETTINGS_SCHEMA_DIR"), files.Path(schemaDir));
    EXPECT_EQ(SetAndWait(picture, options), c.way);
    if (c.schemas == Missing) continue;

    auto expected = [&](const char* value) {
      return QString::fromUtf8(value) == QLatin1String("uri")    ? uri
             : QString::fromUtf8(value) == QLatin1String("path") ? picture
                                                                 : QString::fromUtf8(value);
    };
    EXPECT_EQ(Get(options, gnome, QStringLiteral("picture-uri")), expected(c.gnomeUri));
    if (c.gnomeDark) {
      EXPECT_EQ(Get(options, gnome, QStringLiteral("picture-uri-dark")), expected(c.gnomeDark));
    }
    EXPECT_EQ(Get(options, cinnamon, QStringLiteral("picture-uri")), expected(c.cinnamonUri));
    EXPECT_EQ(Get(options, mate, QStringLiteral("picture-filename")), expected(c.mateFile));
  }
}

TEST_F(WallpaperTest, XfceEveryListedMonitorAndAnEmptyValueFirstWhenUnchanged) {
  const QString hdmi = QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image");
  const QString dp = QStringLiteral("/backdrop/screen0/monitorDP-2/workspace0/last-image");
  const QString style = QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/image-style");
  WriteXfconfStore({{hdmi, QStringLiteral("/usr/share/backgrounds/old.png")},
                    {style, QStringLiteral("5")},
                    {dp, QStringLiteral("/usr/share/backgrounds/old.png")}});
  const Wallpaper::Options options = Options(QStringLiteral("XFCE"));

  ASSERT_EQ(SetAndWait(picture, options), Way::Xfce);
  QMap<QString, QString> store = ReadXfconfStore();
  EXPECT_EQ(store.value(hdmi), picture);
  EXPECT_EQ(store.value(dp), picture);
  EXPECT_EQ(store.value(style), QStringLiteral("5"));
  QMap<QString, QStringList> stores = XfconfStores();
  EXPECT_EQ(stores.value(hdmi), QStringList{picture});
  EXPECT_EQ(stores.value(dp), QStringList{picture});
  EXPECT_FALSE(stores.contains(style));
  for (const QStringList& call : ReadLog(bin + QStringLiteral("/xfconf.log")))
    EXPECT_FALSE(call.contains(QStringLiteral("-n"))) << call.join(QLatin1Char(' ')).toStdString();

  // The same file again, with new content: xfdesktop must see a change.
  ClearLogs();
  ASSERT_EQ(SetAndWait(picture, options), Way::Xfce);
  stores = XfconfStores();
  EXPECT_EQ(stores.value(hdmi), (QStringList{QString(), picture}));
  EXPECT_EQ(stores.value(dp), (QStringList{QString(), picture}));
  store = ReadXfconfStore();
  EXPECT_EQ(store.value(hdmi), picture);
  EXPECT_EQ(store.value(dp), picture);
}

TEST_F(WallpaperTest, XfceCreatesOnePropertyPerMonitorWhenNoneIsListed) {
  const QString style = QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/image-style");
  WriteXfconfStore({{style, QStringLiteral("5")}});
  ASSERT_EQ(SetAndWait(picture, Options(QStringLiteral("XFCE"))), Way::Xfce);

  QStringList expected;
  for (const QScreen* screen : QGuiApplication::screens())
    expected
        << QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(screen->name());
  ASSERT_FALSE(expected.isEmpty());
  const QMap<QString, QString> store = ReadXfconfStore();
  for (const QString& property : expected)
    EXPECT_EQ(store.value(property), picture) << property.toStdString();
  QStringList created;
  for (const QStringList& call : ReadLog(bin + QStringLiteral("/xfconf.log"))) {
    if (!call.contains(QStringLiteral("-n"))) continue;
    const qsizetype t = call.indexOf(QStringLiteral("-t"));
    EXPECT_EQ(call.value(t + 1), QStringLiteral("string"));
    created << call.value(call.indexOf(QStringLiteral("-p")) + 1);
  }
  EXPECT_EQ(created, expected);
}

TEST_F(WallpaperTest, XfceOrKdeWithoutTheirHelperFallsThrough) {
  for (const char* desktop : {"XFCE", "KDE"}) {
    SCOPED_TRACE(desktop);
    Wallpaper::Options options = Options(QString::fromUtf8(desktop));
    options.environment.insert(QStringLiteral("PATH"),
                               QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    options.bus = QDBusConnection(QString());
    EXPECT_EQ(SetAndWait(picture, options), Way::None);
  }
}

TEST_F(WallpaperTest, KdeScriptOverDBusElseTheHelper) {
  const Wallpaper::Options options = Options(QStringLiteral("KDE"));

  // No shell on the bus: the helper gets the path as its one argument.
  ASSERT_EQ(SetAndWait(picture, options), Way::Kde);
  EXPECT_EQ(ReadLog(bin + QStringLiteral("/plasma.log")), QList<QStringList>{{picture}});

  // The helper failing as well: the way fails.
  ClearLogs();
  files.WriteBytes(QStringLiteral("bin/plasma.fail"), "");
  EXPECT_EQ(SetAndWait(picture, options), Way::None);

  // The shell there: one script, the helper not needed.
  ClearLogs();
  QObject root;
  auto* shell = new FakePlasmaShell(&root);
  ASSERT_TRUE(service.registerObject(QStringLiteral("/PlasmaShell"), &root));
  ASSERT_TRUE(service.registerService(QStringLiteral("org.kde.plasmashell")));
  ASSERT_EQ(SetAndWait(picture, options), Way::Kde);
  EXPECT_TRUE(ReadLog(bin + QStringLiteral("/plasma.log")).isEmpty());
  ASSERT_EQ(shell->scripts.size(), 1);
  const QString script = shell->scripts[0];

  // The picture travels as a string literal that reads back as its exact URI.
  const QString head = QStringLiteral("var uri = ");
  const qsizetype start = script.indexOf(head);
  ASSERT_GE(start, 0) << script.toStdString();
  const qsizetype end = script.indexOf(QStringLiteral(";\n"), start);
  const QString literal = script.mid(start + head.size(), end - start - head.size());
  const QJsonDocument parsed = QJsonDocument::fromJson((u'[' + literal + u']').toUtf8());
  ASSERT_TRUE(parsed.isArray()) << literal.toStdString();
  EXPECT_EQ(parsed.array().at(0).toString(), uri);

  // An empty value goes in before the picture, so that a rewritten file of the same name
  // shows.
  const qsizetype empty = script.indexOf(QStringLiteral("writeConfig(\"Image\", \"\")"));
  const qsizetype set = script.indexOf(QStringLiteral("writeConfig(\"Image\", uri)"));
  EXPECT_GE(empty, 0);
  EXPECT_GT(set, empty);
  service.unregisterService(QStringLiteral("org.kde.plasmashell"));
  service.unregisterObject(QStringLiteral("/PlasmaShell"));
}

TEST_F(WallpaperTest, PortalFirstTheNextWayWhenItRefusesOrKeepsSilent) {
  QObject root;
  auto* portal = new FakeWallpaperPortal(&root, service);
  ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &root));
  ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
  const QString hdmi = QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image");

  const struct {
    std::optional<uint> response;
    Way way;
  } cases[] = {{0u, Way::Portal}, {2u, Way::Xfce}, {1u, Way::Xfce}, {std::nullopt, Way::Xfce}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.response ? int(*c.response) : -1);
    WriteXfconfStore({{hdmi, QStringLiteral("/old.png")}});
    ClearLogs();
    portal->response = c.response;
    portal->uris.clear();
    portal->options.clear();
    Wallpaper::Options options = Options(QStringLiteral("XFCE"));
    // Short for the portal that never answers, yet long enough for the stand-in xfconf
    // script on a loaded machine (the bound holds for every way).
    options.timeoutMs = 3000;

    EXPECT_EQ(SetAndWait(picture, options), c.way);
    ASSERT_EQ(portal->uris, QStringList{uri});
    EXPECT_EQ(portal->parents, QStringList(portal->parents.size(), QString()));
    const QVariantMap o = portal->options.value(0);
    EXPECT_EQ(o.value(QStringLiteral("show-preview")), QVariant(false));
    EXPECT_EQ(o.value(QStringLiteral("set-on")), QVariant(QStringLiteral("background")));
    EXPECT_FALSE(o.value(QStringLiteral("handle_token")).toString().isEmpty());
    // Only the portal's answer 0 leaves the desktop's own settings alone.
    EXPECT_EQ(ReadXfconfStore().value(hdmi),
              c.way == Way::Portal ? QStringLiteral("/old.png") : picture);
    if (c.way == Way::Portal) {
      EXPECT_TRUE(ReadLog(bin + QStringLiteral("/xfconf.log")).isEmpty());
    }
  }
  service.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
  service.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
}

TEST_F(WallpaperTest, OneChainAtATimeAndTheNewestRequestWins) {
  const QString hdmi = QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image");
  WriteXfconfStore({{hdmi, QStringLiteral("/old.png")}});
  const Wallpaper::Options options = Options(QStringLiteral("XFCE"));
  QStringList paths;
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
    paths << files.WriteBmp(QStringLiteral("it's home 图片/") + QString::fromUtf8(name),
                            TestFiles::Pattern(4, 4));
  QList<std::pair<QString, Way>> outcomes;
  for (const QString& path : paths)
    Wallpaper::SetWith(path, options, [&outcomes, path](Way w) { outcomes << std::pair{path, w}; });
  ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 3; }, 60000));

  // The first runs, the second is superseded while it waits, the third runs after the
  // first: never two chains writing at once, and the last asked for stays.
  QMap<QString, Way> byPath;
  for (const auto& [path, way] : outcomes) byPath[path] = way;
  EXPECT_EQ(byPath.value(paths[0]), Way::Xfce);
  EXPECT_EQ(byPath.value(paths[1]), Way::None);
  EXPECT_EQ(byPath.value(paths[2]), Way::Xfce);
  EXPECT_EQ(outcomes.back().first, paths[2]);
  EXPECT_EQ(XfconfStores().value(hdmi), (QStringList{paths[0], paths[2]}));
  EXPECT_EQ(ReadXfconfStore().value(hdmi), paths[2]);
}

TEST_F(WallpaperTest, AnInstalledSetterTakesTheCallsInsteadOfTheDesktop) {
  QStringList recorded;
  Wallpaper::Replace([&recorded](const QString& path, Wallpaper::Done done) {
    recorded << path;
    if (done) done(Way::None);
  });
  std::optional<Way> outcome;
  Wallpaper::Set(picture, [&outcome](Way w) { outcome = w; });
  Wallpaper::Replace({});
  EXPECT_EQ(recorded, QStringList{picture});
  EXPECT_EQ(outcome, Way::None);
}
