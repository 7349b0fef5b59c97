// Start-up: the application object, then the seventeen windows in their fixed order,
// then the message loop until the main window closes. A path (or file URI) on the command
// line is opened once the window shows; --help and --version answer without a window.
#include <QDir>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "controls/TApplication.h"
#include "picture/ImageFiles.h"

namespace {

constexpr const char* kUsage = "Usage: picora [PICTURE | FOLDER | file:// URI]\n";

// The answer to an option that needs no window, or nullptr. Checked before the
// application object exists, so it works without a display.
const char* AnswerWithoutWindow(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return kUsage;
    if (std::strcmp(argv[i], "--version") == 0) return "picora " PICORA_VERSION "\n";
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* answer = AnswerWithoutWindow(argc, argv)) {
    std::fputs(answer, stdout);
    return 0;
  }
  TApplication app(argc, argv);
  // Docks and task bars group the windows under the installed desktop entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("picora"));

  // What is left once Qt has taken its own options: at most one path.
  QStringList arguments = QCoreApplication::arguments().mid(1);
  const bool separated = !arguments.isEmpty() && arguments.first() == QLatin1String("--");
  if (separated) arguments.removeFirst();
  if (!separated && !arguments.isEmpty() && arguments.first().startsWith(QLatin1Char('-'))) {
    std::fprintf(stderr, "picora: unknown option %s\n%s", qPrintable(arguments.first()), kUsage);
    return 2;
  }

  ImageFiles::RaiseAllocationLimit();
  CreateForms();
  MainForm->Show();
  if (!arguments.isEmpty()) {
    const QString argument = arguments.first();
    const QString workingFolder = QDir::currentPath();
    QTimer::singleShot(0, MainForm, [argument, workingFolder] {
      TApplication::RunHandler(
          std::function<void()>([&] { MainForm->OpenArgument(argument, workingFolder); }));
    });
  }
  const int result = app.exec();
  DestroyForms();
  return result;
}
