#include "Wallpaper.h"

#include <QFileInfo>
#include <QPointer>
#include <optional>

#include "WallpaperJob.h"

namespace {

Wallpaper::Setter& InstalledSetter() {
  static Wallpaper::Setter setter;
  return setter;
}

// The chain that runs and the one request that waits for it.
QPointer<WallpaperJob> running;
QPointer<WallpaperJob> waiting;

void StartNext() {
  running = waiting;
  waiting = nullptr;
  if (running) running->Start(StartNext);
}

}  // namespace

Wallpaper::Options Wallpaper::Options::Desktop() {
  Options options;
  options.bus = QDBusConnection::sessionBus();
  options.environment = QProcessEnvironment::systemEnvironment();
  return options;
}

void Wallpaper::Set(const QString& path, Done done) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  if (const Setter& setter = InstalledSetter()) return setter(absolute, std::move(done));
  SetWith(absolute, Options::Desktop(), std::move(done));
}

void Wallpaper::Replace(Setter setter) {
  InstalledSetter() = std::move(setter);
}

void Wallpaper::SetWith(const QString& path, const Options& options, Done done) {
  auto* job = new WallpaperJob(QFileInfo(path).absoluteFilePath(), options, std::move(done));
  if (waiting) waiting->Drop();  // superseded before it began
  waiting = job;
  if (!running) StartNext();
}
