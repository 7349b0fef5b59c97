#include "TShellTreeView.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMouseEvent>

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
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    if (OnChange) OnChange();
  });
  // The folders load in the background and rows arrive above the start folder; keep it
  // in view until it and every folder above it have been listed.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& folder) {
    if (!startFolder_.isValid() || !loading_.removeOne(folder)) return;
    scrollTo(startFolder_, QAbstractItemView::PositionAtCenter);
    if (loading_.isEmpty()) startFolder_ = QPersistentModelIndex();
  });

  // The home folder is where the user starts: open and selected, before anyone listens.
  SetPath(QDir::homePath());
  startFolder_ = currentIndex();
  for (QModelIndex i = startFolder_; i.isValid(); i = i.parent()) loading_ << model_->filePath(i);
  expand(currentIndex());
}

QString TShellTreeView::Path() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? model_->filePath(index) : QString();
}

void TShellTreeView::SetPath(const QString& path) {
  const QModelIndex index = model_->index(path);
  if (!index.isValid()) return;
  for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) expand(p);
  setCurrentIndex(index);
  scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void TShellTreeView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) setCurrentIndex(index);
  }
  TControl<QTreeView>::mousePressEvent(event);
}
