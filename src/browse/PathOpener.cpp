#include "PathOpener.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>

#include "FolderBrowser.h"
#include "controls/Dialogs.h"
#include "controls/TApplication.h"
#include "controls/TListView.h"

namespace {

// A scheme of two letters or more: a one-letter "scheme" is more likely a drive-like
// relative name ("c:x.jpg") than a URI.
bool LooksLikeUri(const QString& text) {
  const int colon = int(text.indexOf(QLatin1Char(':')));
  if (colon < 2) return false;
  for (int i = 0; i < colon; ++i) {
    const QChar c = text[i];
    if (!(c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') ||
          c == QLatin1Char('.')) ||
        c.unicode() > 0x7F)
      return false;
  }
  return text[0].isLetter() && text.mid(colon, 3) == QLatin1String("://");
}

}  // namespace

PathOpener::PathOpener(FolderBrowser& browser) : browser_(browser) {}

std::optional<QString> PathOpener::LocalPath(const QString& argument,
                                             const QString& workingFolder) {
  if (argument.isEmpty()) return std::nullopt;
  QString path = argument;
  if (LooksLikeUri(argument)) {
    const QUrl url(argument);
    if (!url.isValid() || !url.isLocalFile()) return std::nullopt;
    path = url.toLocalFile();
    if (path.isEmpty()) return std::nullopt;
  }
  if (QDir::isRelativePath(path)) path = QDir(workingFolder).filePath(path);
  return QDir::cleanPath(path);
}

void PathOpener::Open(const QString& argument, const QString& workingFolder) {
  const std::optional<QString> path = LocalPath(argument, workingFolder);
  if (!path) {
    Refuse(argument, QStringLiteral("只能打开本机上的文件或文件夹"));
    return;
  }
  OpenLocal(*path);
}

std::optional<QString> PathOpener::DroppedPath(const QMimeData& data) {
  if (!data.hasUrls()) return std::nullopt;
  const QList<QUrl> urls = data.urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return std::nullopt;
  const QString path = urls.first().toLocalFile();
  if (path.isEmpty() || QDir::isRelativePath(path)) return std::nullopt;
  return QDir::cleanPath(path);
}

void PathOpener::OpenLocal(const QString& path) {
  // The kind of entry and its permissions as the system sees them, following links.
  struct stat st {};
  const QByteArray encoded = QFile::encodeName(path);
  if (::stat(encoded.constData(), &st) != 0) {
    Refuse(path,
           errno == EACCES ? QStringLiteral("没有访问权限") : QStringLiteral("文件或文件夹不存在"));
    return;
  }
  if (S_ISDIR(st.st_mode)) {
    if (::access(encoded.constData(), R_OK | X_OK) != 0) {
      Refuse(path, QStringLiteral("没有读取权限"));
      return;
    }
    browser_.ShowFolder(path);
    return;
  }
  if (!S_ISREG(st.st_mode)) {
    Refuse(path, QStringLiteral("不是普通文件"));
    return;
  }
  if (::access(encoded.constData(), R_OK) != 0) {
    Refuse(path, QStringLiteral("没有读取权限"));
    return;
  }

  const QFileInfo file(path);
  // False also when the window went meanwhile, and this object with it.
  if (!browser_.ShowFolder(file.absolutePath())) return;  // another scan took over
  TListView* names = browser_.Names();
  const int index = names->IndexOfCaption(file.fileName());
  if (index < 0) {
    Refuse(path, QStringLiteral("不支持这种文件类型"));
    return;
  }
  names->SelectAndFocus(index);
  if (browser_.LoadSelected) browser_.LoadSelected();
}

void PathOpener::Refuse(const QString& shown, const QString& reason) const {
  Dialogs::Message(nullptr, QStringLiteral("无法打开“%1”：%2。").arg(shown, reason),
                   TApplication::Title(), Dialogs::Icon::Warning);
}
