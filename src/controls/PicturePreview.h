#pragma once
// The small picture preview beside the file list of the open and save dialogs.
#include <QLabel>

class PicturePreview : public QLabel {
 public:
  explicit PicturePreview(QWidget* parent = nullptr);
  void ShowFile(const QString& path);
};
