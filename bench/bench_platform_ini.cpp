// A show of 10 000 entries exported to and imported from a settings file, against one
// atomic write of the same bytes (the least any save costs). Both operations are one
// parse and one write; a pass over the file per key would show as a ratio in the
// hundreds.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "picture/FileSaver.h"
#include "platform/IniFile.h"

namespace {

constexpr int kEntries = 10000;

QString Name(int i) {
  return QStringLiteral("海滩照片 %1.jpg").arg(i);
}

// What the export writes: the show's settings, then every list entry.
void Export(const QString& path) {
  IniFile ini(path);
  ini.WriteInteger(QStringLiteral("ScreenSafe"), QStringLiteral("动画"), 4);
  ini.WriteInteger(QStringLiteral("ScreenSafe"), QStringLiteral("显示"), 3);
  ini.WriteInteger(QStringLiteral("ScreenSafe"), QStringLiteral("Time"), 8);
  ini.WriteString(QStringLiteral("ScreenSafe"), QStringLiteral("Music"), QString());
  ini.WriteString(QStringLiteral("ScreenSafe"), QStringLiteral("FilePath"),
                  QStringLiteral("/home/user/图片/"));
  const QString section = QStringLiteral("FileName");
  ini.EraseKeys(section);
  for (int i = 0; i < kEntries; ++i) ini.WriteString(section, QString::number(i), Name(i));
  ini.Save();
}

struct Folder {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("show.pss"));
  Folder() { Export(path); }
};

Folder& Shared() {
  static Folder folder;
  return folder;
}

void BM_Write(benchmark::State& state) {
  const QString path = Shared().path;
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  const QByteArray bytes = f.readAll();
  for (auto _ : state) FileSaver::Write(path, bytes);
  state.SetBytesProcessed(state.iterations() * bytes.size());
}

// Into the existing file, as a second export under the same name.
void BM_Export(benchmark::State& state) {
  const QString path = Shared().path;
  for (auto _ : state) Export(path);
}

void BM_Import(benchmark::State& state) {
  const QString path = Shared().path;
  for (auto _ : state) {
    const IniFile ini(path);
    const QString section = QStringLiteral("FileName");
    int found = ini.ReadInteger(QStringLiteral("ScreenSafe"), QStringLiteral("动画"), 0);
    const int count = ini.KeyCount(section);
    for (int i = 0; i < count; ++i) found += ini.ReadString(section, QString::number(i)).size();
    benchmark::DoNotOptimize(found);
  }
}

BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
