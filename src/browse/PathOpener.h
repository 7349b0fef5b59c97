#pragma once
// Opening what the desktop hands over: the path (or file URI) given on the command line
// and the items dropped onto the main window. A folder is shown and scanned as a click in
// the tree does; a picture's folder is scanned that way, then the picture is loaded as a
// double click on its list entry loads it. What cannot be opened is named in a message
// with the reason, and nothing else changes.
#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

class FolderBrowser;
class QMimeData;

class PathOpener {
 public:
  explicit PathOpener(FolderBrowser& browser);

  // A path, absolute or relative to workingFolder, or a file:// URI.
  void Open(const QString& argument, const QString& workingFolder);

  // What a drag carries to open: the first item, when it is a local path.
  static std::optional<QString> DroppedPath(const QMimeData& data);
  // Opens an absolute local path.
  void OpenLocal(const QString& path);

  // The local path an argument names, made absolute against workingFolder: nothing for a
  // URI of another scheme than file.
  static std::optional<QString> LocalPath(const QString& argument, const QString& workingFolder);

 private:
  void Refuse(const QString& shown, const QString& reason) const;

  FolderBrowser& browser_;
};
