#include "TShellTreeView.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QWheelEvent>

TShellTreeView::TShellTreeView(QWidget* parent) : TControl<QTreeView>(parent) {
  model_ = new QFileSystemModel(this);
  model_->setOption(QFileSystemModel::DontWatchForChanges, true);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QStringLiteral("/"));
  setModel(model_);
  setRootIndex(model_->index(QStringLiteral("/")).parent());
  for (int c = 1; c < model_->columnCount(); ++c) hideColumn(c);
  header()->hide();
  setIndentation(19);
  setRootIsDecorated(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { TApplication::RunHandler(OnChange); });
  // The folders load in the background, and rows arriving or being sorted above the
  // folder set last (the start folder, or one opened from outside) push it out of view. Scroll it
  // back once things settle, until it and every folder above it have been listed or the user takes
  // over.
  followTimer_.setSingleShot(true);
  followTimer_.setInterval(50);
  connect(&followTimer_, &QTimer::timeout, this, [this] {
    if (!startFolder_.isValid()) return;
    scrollTo(startFolder_, QAbstractItemView::PositionAtCenter);
    if (loading_.isEmpty()) StopFollowing();
  });
  auto follow = [this] {
    if (startFolder_.isValid()) followTimer_.start();
  };
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this, follow](const QString& folder) {
    loading_.removeOne(folder);
    follow();
  });
  connect(model_, &QAbstractItemModel::rowsInserted, this, follow);
  connect(model_, &QAbstractItemModel::layoutChanged, this, follow);

  // The home folder is where the user starts: open and selected, before anyone listens.
  SetPath(QDir::homePath());
  expand(currentIndex());
}

QString TShellTreeView::Path() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? model_->filePath(index) : QString();
}

void TShellTreeView::SetPath(const QString& path) {
  StopFollowing();  // the folder asked for now is the one to show
  const QModelIndex index = model_->index(path);
  if (!index.isValid()) return;
  for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) expand(p);
  setCurrentIndex(index);
  scrollTo(index, QAbstractItemView::PositionAtCenter);
  // Kept in view while the folders above it are still being listed.
  startFolder_ = index;
  for (QModelIndex i = index; i.isValid(); i = i.parent()) loading_ << model_->filePath(i);
}

void TShellTreeView::StopFollowing() {
  startFolder_ = QPersistentModelIndex();
  loading_.clear();
  followTimer_.stop();
}

void TShellTreeView::mousePressEvent(QMouseEvent* event) {
  StopFollowing();
  if (event->button() == Qt::RightButton) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) setCurrentIndex(index);
  }
  TControl<QTreeView>::mousePressEvent(event);
}

void TShellTreeView::keyPressEvent(QKeyEvent* event) {
  StopFollowing();
  TControl<QTreeView>::keyPressEvent(event);
}

void TShellTreeView::wheelEvent(QWheelEvent* event) {
  StopFollowing();
  TControl<QTreeView>::wheelEvent(event);
}
