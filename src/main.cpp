// Start-up: the application object, then the windows, then the message loop.
#include <QApplication>
#include <QLabel>

#include "picture/ImageFiles.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  QLabel placeholder(QStringLiteral("Picora图片浏览器"));
  placeholder.setWindowTitle(QStringLiteral("Picora图片浏览器"));
  QApplication::setApplicationDisplayName(placeholder.windowTitle());
  placeholder.resize(825, 619);
  placeholder.show();
  return app.exec();
}
