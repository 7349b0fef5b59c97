#include "DeskPicFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>

DeskPicFolder::DeskPicFolder(const QString& home)
    : path_(QDir(home).filePath(QStringLiteral("DeskPicture"))) {}

QString DeskPicFolder::WallpaperPath() const {
  return path_ + QStringLiteral("/DeskPicture.bmp");
}

QString DeskPicFolder::PartialPath() const {
  return path_ + QStringLiteral("/DeskPicture");
}

QString DeskPicFolder::PicturePath(int number) const {
  return path_ + QStringLiteral("/DeskPicture%1.jpg").arg(number);
}

void DeskPicFolder::Create() const {
  QDir().mkpath(path_);
}

int DeskPicFolder::CreatePartial() const {
  const QByteArray name = QFile::encodeName(PartialPath());
  if (::unlink(name.constData()) != 0 && errno != ENOENT) return -1;
  return ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

bool DeskPicFolder::KeepPartialAs(int number) const {
  // rename replaces the old picture in one step; a folder standing under the name makes
  // it fail rather than be touched.
  const QByteArray from = QFile::encodeName(PartialPath());
  const QByteArray to = QFile::encodeName(PicturePath(number));
  if (std::rename(from.constData(), to.constData()) == 0) return true;
  RemovePartial();
  return false;
}

void DeskPicFolder::RemovePartial() const {
  ::unlink(QFile::encodeName(PartialPath()).constData());
}
