#pragma once
// The folder tree: folders only, rooted at "/", folder icons from the desktop theme,
// never watching the disk for changes. A right click selects the node under the mouse.
// It starts with the home folder selected, opened and scrolled into view.
#include <QPersistentModelIndex>
#include <QStringList>
#include <QTimer>
#include <QTreeView>

#include "TControl.h"

class QFileSystemModel;

class TShellTreeView : public TControl<QTreeView> {
 public:
  explicit TShellTreeView(QWidget* parent = nullptr);

  // The file-system path of the selected folder ("" when nothing is selected).
  QString Path() const;
  // Selects the folder at path (expanding its parents and scrolling it into view).
  void SetPath(const QString& path);

  TNotifyEvent OnChange;  // the selected folder changed

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QFileSystemModel* model_;
  void StopFollowing();

  QPersistentModelIndex startFolder_;  // kept in view while loading_ is not empty
  QStringList loading_;                // the start folder and those above it, not yet listed
  QTimer followTimer_;                 // scrolls to the start folder when the rows settle
};
