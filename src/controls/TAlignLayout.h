#pragma once
// Lays out the aligned children of a container the classic way: top-aligned controls
// stack from the top, bottom-aligned from the bottom, then left- and right-aligned ones
// from the sides of what is left, and a client-aligned control fills the rest. Each
// aligned control keeps its own height (top/bottom) or width (left/right); hidden
// controls take no room. Children without alignment keep their own geometry.
#include <QLayout>
#include <vector>

class TAlignLayout : public QLayout {
 public:
  explicit TAlignLayout(QWidget* parent);
  ~TAlignLayout() override;

  // Every child widget with an alignment is added by SetAlignOf; the order of adding is
  // the order of stacking within each side.
  void addItem(QLayoutItem* item) override;
  int count() const override { return int(items_.size()); }
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  QSize sizeHint() const override { return QSize(100, 100); }
  QSize minimumSize() const override { return QSize(0, 0); }
  void setGeometry(const QRect& rect) override;

  // The area left for the client-aligned control after the last layout pass.
  QRect ClientRect() const { return client_; }

 private:
  std::vector<QLayoutItem*> items_;
  QRect client_;
};
