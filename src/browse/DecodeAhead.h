#pragma once
// Decoding the list entries a step will show next while the current picture is on
// display, on a worker thread, so that the step (the slide show, the Right key, the
// next-picture command) costs only the display. A picture decoded ahead is handed out
// only for the same file unchanged on disk (size and modification time); otherwise, and
// for a file that failed to decode, the load decodes as usual, so everything it does and
// shows stays the same, the error message of an unreadable file included. At most one
// picture per direction is kept, each within the size the pixel memory keeps for reuse.
#include <QFuture>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "picture/Bitmap.h"

class DecodeAhead {
 public:
  DecodeAhead() = default;
  DecodeAhead(const DecodeAhead&) = delete;
  DecodeAhead& operator=(const DecodeAhead&) = delete;
  ~DecodeAhead();

  // What a load shows for a .jpg, .jpeg, .bmp or .ico file: the picture as a bitmap (an
  // icon drawn over white). PictureError for a file that does not decode or another kind.
  static Bitmap Decode(const QString& path);

  // Keeps paths decoded (started now when they are not yet) and drops every other.
  void Prepare(const QStringList& paths);
  // path's picture when it was decoded ahead and the file is the same as then; waits for
  // a decode still under way. The picture is handed out once.
  std::optional<Bitmap> Take(const QString& path);
  void Clear();

  // Larger pictures are not decoded ahead.
  static constexpr qint64 kMaxBytes = qint64(256) << 20;

 private:
  // What identifies the file's content for us: its size and modification time.
  struct Stamp {
    qint64 size = -1;
    qint64 modified = 0;  // milliseconds since 1970
    bool operator==(const Stamp& o) const { return size == o.size && modified == o.modified; }
  };
  static std::optional<Stamp> StampOf(const QString& path);

  struct Entry {
    QString path;
    Stamp stamp;
    QFuture<std::optional<Bitmap>> result;
  };
  std::vector<Entry> entries_;
};
