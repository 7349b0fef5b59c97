#pragma once
// A status bar of numbered panels of fixed widths (the last one takes what is left).
#include <QStringList>
#include <QWidget>
#include <vector>

#include "TControl.h"
#include "picture/Color.h"

class TStatusBar : public TControl<QWidget> {
 public:
  explicit TStatusBar(QWidget* parent = nullptr);

  void AddPanel(int width, const QString& text);
  int PanelCount() const { return int(widths_.size()); }
  QString Text(int panel) const { return texts_.value(panel); }
  void SetText(int panel, const QString& text);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<int> widths_;
  QStringList texts_;
  TColor color_ = Colors::Cream;
};
