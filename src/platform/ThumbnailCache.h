#pragma once
// The thumbnail cache that Linux file managers and viewers share (the freedesktop
// Thumbnail Managing Standard): PNG thumbnails under $XDG_CACHE_HOME/thumbnails, named by
// the MD5 of the file's URI and valid while their Thumb::URI, Thumb::MTime and (when
// present) Thumb::Size match the file.
//
// Safe to use from several worker threads at once: every member function is const, the
// object holds only its root folder, and writes go to a unique temporary name that is
// renamed into place, so readers (ours or another program's) never see half a file.
// Nothing here throws: a cache that cannot be read or written simply finds nothing and
// stores nothing. Cached files are read as hostile input: regular files only, at most
// MaxFileBytes, at most MaxSide pixels a side.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>
#include <optional>

class ThumbnailCache {
 public:
  // The standard's sizes, each with its folder: normal 128, large 256, x-large 512 and
  // xx-large 1024 pixels on the long side.
  enum class Size { Normal, Large, XLarge, XXLarge };
  static int Pixels(Size size);
  static QString FolderName(Size size);

  static constexpr qint64 MaxFileBytes = qint64(16) << 20;
  static constexpr int MaxSide = 2048;

  // The file a thumbnail stands for, as stat saw it: modification time in whole seconds
  // since 1970 and size in bytes.
  struct Source {
    QString path;
    qint64 mtime = 0;
    qint64 size = 0;
  };
  // stat on path (links followed); nothing when it is not a regular file.
  static std::optional<Source> Stat(const QString& path);

  // A thumbnail found in the cache, with the size of the picture it was made from when
  // its maker recorded it (Thumb::Image::Width/Height), else 0.
  struct Found {
    QImage image;
    int imageWidth = 0;
    int imageHeight = 0;
    Size size = Size::Normal;
  };

  // The cache of the user: $XDG_CACHE_HOME/thumbnails, where XDG_CACHE_HOME counts only
  // when it is an absolute path, else $HOME/.cache/thumbnails.
  ThumbnailCache();
  explicit ThumbnailCache(const QString& root);
  static QString DefaultRoot();
  const QString& Root() const { return root_; }

  // The absolute canonical URI of a local file: "file://" and the cleaned absolute path
  // in UTF-8, with every byte outside RFC 2396's path characters escaped ("%20" for a
  // blank, "%23" for "#", "%25" for "%", "%3B" for ";"), as GLib and the file managers
  // make it.
  static QByteArray Uri(const QString& path);
  // The file name of the thumbnail of that URI: 32 lower-case hex digits of its MD5 and
  // ".png".
  static QString FileName(const QByteArray& uri);

  QString ThumbnailPath(const QString& path, Size size) const;
  // Where this program records that it could not make a thumbnail of the file.
  QString FailurePath(const QString& path) const;
  // "picora-<version>", the folder of this program's failure entries under fail/.
  static QString FailureFolderName();

  // Whether path lies inside the cache (also through symbolic links); thumbnails of
  // thumbnails are never made.
  bool Contains(const QString& path) const;

  // A valid thumbnail of the file that is at least drawnSize pixels on its long side,
  // trying the smallest such size first, then the larger ones. Nothing when the file
  // cannot be read by the user, or no valid thumbnail is there.
  std::optional<Found> Find(const Source& file, int drawnSize) const;

  // Writes the normal (128 px) thumbnail of the file from picture, a decode of it of any
  // size (scaled down to fit 128 x 128; a smaller picture is kept as it is), with the
  // size of the full picture and the file's MIME type. False, and nothing written, when
  // the file lies inside the cache, the user cannot read it or the cache cannot be
  // written.
  bool Write(const Source& file, const QImage& picture, int imageWidth, int imageHeight,
             const QString& mimeType) const;

  // The failure entry of a file that could not be decoded, so that it is not tried again
  // until it changes; and whether a valid one is there.
  bool WriteFailure(const Source& file) const;
  bool HasFailure(const Source& file) const;

 private:
  QString root_;
};
