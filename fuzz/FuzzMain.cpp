// libFuzzer's entry points for every target (see FuzzTarget.h).
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "FuzzTarget.h"
#include "picture/ImageFiles.h"

namespace {

QString g_scratch;

void RemoveScratch() {
  if (!g_scratch.isEmpty()) QDir(g_scratch).removeRecursively();
}

// Seeds go where PICORA_FUZZ_SEEDS says; the process then ends without fuzzing.
void WriteSeeds(const QString& folder) {
  QDir().mkpath(folder);
  int written = 0;
  for (const auto& [name, bytes] : Fuzz::MakeSeeds()) {
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
      std::fprintf(stderr, "cannot write seed %s\n", qPrintable(file.fileName()));
      std::exit(1);
    }
    ++written;
  }
  std::printf("%d seeds in %s\n", written, qPrintable(folder));
  std::exit(0);
}

}  // namespace

QString Fuzz::WriteInput(const QByteArray& data, const QString& extension) {
  const QString path = g_scratch + QStringLiteral("/input.") + extension;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
    std::abort();  // the scratch folder itself failed: not a finding in the readers
  return path;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Fonts and images need the application object, windows do not.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int qtArgc = 1;
  static char* qtArgv[] = {(*argv)[0], nullptr};
  static QApplication app(qtArgc, qtArgv);
  ImageFiles::RaiseAllocationLimit();  // as the program does at start-up
  if (const char* seeds = std::getenv("PICORA_FUZZ_SEEDS"))
    WriteSeeds(QString::fromLocal8Bit(seeds));
  // A scratch folder in memory when there is one: every input is written to a file.
  const QString base =
      QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
  QByteArray pattern = QFile::encodeName(base + QStringLiteral("/picora-fuzz-XXXXXX"));
  if (!mkdtemp(pattern.data())) std::abort();
  g_scratch = QFile::decodeName(pattern);
  std::atexit(RemoveScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::Run(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  return 0;
}
