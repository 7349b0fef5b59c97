#pragma once
// Small helpers for tests that need picture files: a temporary folder per test and
// writers for the common kinds.
#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

class TestFiles {
 public:
  TestFiles();
  QString Path(const QString& name) const { return dir_.filePath(name); }
  QString Folder() const { return dir_.path(); }

  // A picture of w x h whose pixel (x, y) has a colour derived from x and y, so that
  // moved or mirrored pixels are easy to tell apart.
  static QImage Pattern(int w, int h);
  // Writes files; each returns the full path.
  QString WriteJpeg(const QString& name, const QImage& image, int quality = 95);
  QString WriteBmp(const QString& name, const QImage& image);
  QString WriteIco(const QString& name, const QImage& argb);
  QString WriteBytes(const QString& name, const QByteArray& bytes);

 private:
  QTemporaryDir dir_;
};
