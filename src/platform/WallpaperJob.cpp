#include "WallpaperJob.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <memory>

#include "PortalRequest.h"
#include "picture/RegularFile.h"
#include "RootBackground.h"
#include "ScreenGrab.h"

namespace {

const QString kXfceChannel = QStringLiteral("xfce4-desktop");
constexpr qsizetype kMaxHelperOutput = 1 << 20;

}  // namespace

WallpaperJob::WallpaperJob(const QString& path, const Wallpaper::Options& options,
                           Wallpaper::Done done)
    : path_(path),
      uri_(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)),
      options_(options),
      done_(std::move(done)) {
  bound_.setSingleShot(true);
  connect(&bound_, &QTimer::timeout, this, &WallpaperJob::Advance);
}

WallpaperJob::~WallpaperJob() {
  EndWay();
}

void WallpaperJob::Start(std::function<void()> finished) {
  finished_ = std::move(finished);
  QTimer::singleShot(0, this, [this] { Begin(Step::Portal); });
}

void WallpaperJob::Drop() {
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (done_) done_(Wallpaper::Way::None);
        deleteLater();
      },
      Qt::QueuedConnection);
}

Wallpaper::Way WallpaperJob::DesktopOf(const QString& currentDesktops) {
  // A colon-separated list, most specific first ("ubuntu:GNOME").
  for (const QString& name : currentDesktops.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
    const QString d = name.trimmed().toUpper();
    if (d == QLatin1String("GNOME") || d == QLatin1String("UNITY")) return Wallpaper::Way::Gnome;
    if (d == QLatin1String("CINNAMON") || d == QLatin1String("X-CINNAMON"))
      return Wallpaper::Way::Cinnamon;
    if (d == QLatin1String("MATE")) return Wallpaper::Way::Mate;
    if (d == QLatin1String("XFCE")) return Wallpaper::Way::Xfce;
    if (d == QLatin1String("KDE")) return Wallpaper::Way::Kde;
  }
  return Wallpaper::Way::None;
}

QString WallpaperJob::GVariantString(const QString& text) {
  QString out = QStringLiteral("'");
  for (const QChar ch : text) {
    if (ch == QLatin1Char('\\') || ch == QLatin1Char('\'')) out += QLatin1Char('\\');
    out += ch;
  }
  return out + QLatin1Char('\'');
}

QString WallpaperJob::ScriptString(const QString& text) {
  QString out = QStringLiteral("\"");
  for (const QChar ch : text) {
    const ushort u = ch.unicode();
    if (ch == QLatin1Char('"') || ch == QLatin1Char('\\')) {
      out += QLatin1Char('\\');
      out += ch;
    } else if (u < 0x20 || u == 0x7F || u == 0x2028 || u == 0x2029) {
      // Line breaks end a script string; control characters are better not left raw.
      out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
    } else {
      out += ch;
    }
  }
  return out + QLatin1Char('"');
}

// ---- the chain ----

void WallpaperJob::Begin(Step step) {
  EndWay();
  step_ = step;
  scope_ = new QObject(this);
  if (step == Step::End) return Finish(Wallpaper::Way::None);
  bound_.start(options_.timeoutMs);
  switch (step) {
    case Step::Portal:
      return TryPortal();
    case Step::Desktop:
      return TryDesktop();
    case Step::X11:
      return TryX11();
    case Step::End:
      break;
  }
}

void WallpaperJob::Advance() {
  switch (step_) {
    case Step::Portal:
      return Begin(Step::Desktop);
    case Step::Desktop:
      return Begin(Step::X11);
    case Step::X11:
    case Step::End:
      return Begin(Step::End);
  }
}

void WallpaperJob::Finish(Wallpaper::Way way) {
  EndWay();
  step_ = Step::End;
  Wallpaper::Done done = std::move(done_);
  done_ = nullptr;
  if (done) done(way);
  if (finished_) finished_();
  deleteLater();
}

void WallpaperJob::EndWay() {
  ++generation_;
  bound_.stop();
  if (scope_) {
    // Helpers still running are killed; their objects go from the event loop, since one of
    // them may be the sender we are being called from.
    for (QProcess* process : scope_->findChildren<QProcess*>()) {
      process->disconnect(this);
      process->kill();
    }
    scope_->deleteLater();
    scope_ = nullptr;
  }
}

// ---- the desktop portal ----

void WallpaperJob::TryPortal() {
  if (!options_.bus.isConnected()) return Advance();
  auto* request =
      new PortalRequest(options_.bus, QStringLiteral("org.freedesktop.portal.Wallpaper"),
                        QStringLiteral("SetWallpaperURI"), options_.timeoutMs, scope_);
  const int generation = generation_;
  request->Call({QString(), uri_},
                {{QStringLiteral("show-preview"), false},
                 {QStringLiteral("set-on"), QStringLiteral("background")}},
                [this, generation](bool ok, const QVariantMap&) {
                  if (generation != generation_) return;
                  if (!ok) return Advance();
                  Finish(Wallpaper::Way::Portal);
                });
}

// ---- the desktop's own settings ----

void WallpaperJob::TryDesktop() {
  switch (DesktopOf(options_.environment.value(QStringLiteral("XDG_CURRENT_DESKTOP")))) {
    case Wallpaper::Way::Gnome:
      return SetGnome();
    case Wallpaper::Way::Cinnamon:
      return SetGsettings(QStringLiteral("org.cinnamon.desktop.background"),
                          QStringLiteral("picture-uri"), uri_, Wallpaper::Way::Cinnamon);
    case Wallpaper::Way::Mate:
      // MATE keeps a plain path, not a URI.
      return SetGsettings(QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"),
                          path_, Wallpaper::Way::Mate);
    case Wallpaper::Way::Xfce:
      return SetXfce();
    case Wallpaper::Way::Kde:
      return SetKde();
    default:
      return Advance();
  }
}

void WallpaperJob::SetGnome() {
  const QString schema = QStringLiteral("org.gnome.desktop.background");
  Run(QStringLiteral("gsettings"),
      {QStringLiteral("set"), schema, QStringLiteral("picture-uri"), GVariantString(uri_)},
      [this, schema](bool ok, const QByteArray&) {
        if (!ok) return Advance();
        // The dark style's picture; schemas older than the dark style lack the key.
        Run(QStringLiteral("gsettings"),
            {QStringLiteral("set"), schema, QStringLiteral("picture-uri-dark"),
             GVariantString(uri_)},
            [this](bool, const QByteArray&) { Finish(Wallpaper::Way::Gnome); });
      });
}

void WallpaperJob::SetGsettings(const QString& schema, const QString& key, const QString& value,
                                Wallpaper::Way way) {
  Run(QStringLiteral("gsettings"), {QStringLiteral("set"), schema, key, GVariantString(value)},
      [this, way](bool ok, const QByteArray&) {
        if (!ok) return Advance();
        Finish(way);
      });
}

void WallpaperJob::SetXfce() {
  Run(
      QStringLiteral("xfconf-query"), {QStringLiteral("-c"), kXfceChannel, QStringLiteral("-l")},
      [this](bool ok, const QByteArray& output) {
        if (!ok) return Advance();
        QStringList properties;
        for (const QByteArray& line : output.split('\n')) {
          const QString property = QString::fromUtf8(line).trimmed();
          if (property.startsWith(QLatin1Char('/')) &&
              property.endsWith(QLatin1String("/last-image")))
            properties << property;
        }
        if (!properties.isEmpty()) return StoreXfce(properties, 0);
        // A desktop that never had a picture lists none: one per monitor, as xfdesktop
        // names them.
        for (const QScreen* screen : QGuiApplication::screens())
          properties << QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image")
                            .arg(screen->name());
        if (properties.isEmpty()) return Advance();
        CreateXfce(properties, 0);
      },
      true);
}

void WallpaperJob::StoreXfce(const QStringList& properties, int index) {
  if (index == properties.size()) return Finish(Wallpaper::Way::Xfce);
  const QString property = properties[index];
  const QString program = QStringLiteral("xfconf-query");
  const QStringList select{QStringLiteral("-c"), kXfceChannel, QStringLiteral("-p"), property};
  auto store = [this, properties, index, program, select] {
    Run(program, select + QStringList{QStringLiteral("-s"), path_},
        [this, properties, index](bool ok, const QByteArray&) {
          if (!ok) return Advance();
          StoreXfce(properties, index + 1);
        });
  };
  Run(
      program, select,
      [this, program, select, store](bool ok, const QByteArray& output) {
        QByteArray value = output;
        if (value.endsWith('\n')) value.chop(1);
        // xfdesktop reloads only when the value changes: where it already names our file
        // (whose content is new), an empty value first makes the change.
        if (!ok || value != path_.toUtf8()) return store();
        Run(program, select + QStringList{QStringLiteral("-s"), QString()},
            [this, store](bool emptied, const QByteArray&) {
              if (!emptied) return Advance();
              store();
            });
      },
      true);
}

void WallpaperJob::CreateXfce(const QStringList& properties, int index) {
  if (index == properties.size()) return Finish(Wallpaper::Way::Xfce);
  Run(QStringLiteral("xfconf-query"),
      {QStringLiteral("-c"), kXfceChannel, QStringLiteral("-p"), properties[index],
       QStringLiteral("-n"), QStringLiteral("-t"), QStringLiteral("string"), QStringLiteral("-s"),
       path_},
      [this, properties, index](bool ok, const QByteArray&) {
        if (!ok) return Advance();
        CreateXfce(properties, index + 1);
      });
}

void WallpaperJob::SetKde() {
  QDBusConnection bus = options_.bus;
  if (!bus.isConnected()) return RunPlasmaHelper();
  // Plasma's image wallpaper reloads only when its Image value changes, and the script
  // sets the live value at once: an empty value first makes a rewritten file of the same
  // name show. The path travels as a string literal, never spliced into code.
  const QString script =
      QStringLiteral(
          "var uri = %1;\n"
          "var all = desktops();\n"
          "for (var i = 0; i < all.length; ++i) {\n"
          "  var d = all[i];\n"
          "  d.wallpaperPlugin = \"org.kde.image\";\n"
          "  d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
          "  d.writeConfig(\"Image\", \"\");\n"
          "  d.writeConfig(\"Image\", uri);\n"
          "}\n")
          .arg(ScriptString(uri_));
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
      QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
  call << script;
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, options_.timeoutMs), scope_);
  const int generation = generation_;
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, generation] {
    if (generation != generation_) return;
    if (watcher->isError()) return RunPlasmaHelper();
    Finish(Wallpaper::Way::Kde);
  });
}

void WallpaperJob::RunPlasmaHelper() {
  Run(QStringLiteral("plasma-apply-wallpaperimage"), {path_}, [this](bool ok, const QByteArray&) {
    if (!ok) return Advance();
    Finish(Wallpaper::Way::Kde);
  });
}

// ---- bare X11 ----

void WallpaperJob::TryX11() {
  // Under Wayland the X root holds only the windows of X programs: setting it would
  // succeed and show nothing.
  if (ScreenGrab::WaylandSession(options_.environment)) return Advance();
  const QByteArray display = options_.environment.value(QStringLiteral("DISPLAY")).toLocal8Bit();
  if (display.isEmpty()) return Advance();
  // The picture is read and the server is talked to off the window thread; a thread that
  // outlives the bound finishes on its own and is forgotten.
  auto done = std::make_shared<bool>(false);
  QThread* thread = QThread::create([display, path = path_, done] {
    *done = RootBackground::Set(display, RegularFile::ReadPicture(path));
  });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  const int generation = generation_;
  connect(thread, &QThread::finished, this, [this, done, generation] {
    if (generation != generation_) return;
    if (!*done) return Advance();
    Finish(Wallpaper::Way::X11);
  });
  thread->start();
}

// ---- helper programs ----

QString WallpaperJob::Find(const QString& name) const {
  QStringList directories;
  for (const QString& d : options_.environment.value(QStringLiteral("PATH"))
                              .split(QLatin1Char(':'), Qt::SkipEmptyParts))
    if (QDir::isAbsolutePath(d)) directories << d;  // never the working folder
  if (directories.isEmpty()) return QString();      // an empty list would mean our own PATH
  return QStandardPaths::findExecutable(name, directories);
}

void WallpaperJob::Run(const QString& name, const QStringList& arguments, Then then, bool utf8) {
  const QString program = Find(name);
  if (program.isEmpty()) return then(false, QByteArray());
  auto* process = new QProcess(scope_);
  process->setProgram(program);
  process->setArguments(arguments);
  QProcessEnvironment environment = options_.environment;
  // What we read back must be UTF-8 whatever the user's locale; GLib's tools convert
  // their output to the locale's character set.
  if (utf8) environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  process->setProcessEnvironment(environment);
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  auto output = std::make_shared<QByteArray>();
  auto overflow = std::make_shared<bool>(false);
  connect(process, &QProcess::readyReadStandardOutput, this, [process, output, overflow] {
    output->append(process->readAllStandardOutput());
    if (output->size() > kMaxHelperOutput) {
      *overflow = true;
      process->kill();
    }
  });
  const int generation = generation_;
  connect(
      process, &QProcess::finished, this,
      [this, process, output, overflow, then, generation](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if (generation != generation_) return;
        output->append(process->readAllStandardOutput());
        const bool ok = status == QProcess::NormalExit && code == 0 && !*overflow &&
                        output->size() <= kMaxHelperOutput;
        then(ok, *output);
      });
  connect(process, &QProcess::errorOccurred, this,
          [this, process, then, generation](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart) return;  // the rest end in finished
            process->deleteLater();
            if (generation != generation_) return;
            then(false, QByteArray());
          });
  process->start();
}
