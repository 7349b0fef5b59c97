#pragma once
// A flat group box with a caption; its radio buttons form one group.
#include <QGroupBox>

#include "TControl.h"

class TGroupBox : public TControl<QGroupBox> {
 public:
  explicit TGroupBox(QWidget* parent = nullptr, const QString& caption = QString());
  QString Caption() const { return title(); }
  void SetCaption(const QString& caption) { setTitle(caption); }
};
