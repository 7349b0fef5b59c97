#pragma once
// Tabbed pages; the tabs are drawn as flat buttons.
#include <QTabWidget>

#include "TControl.h"
#include "picture/Color.h"

class TPageControl : public TControl<QTabWidget> {
 public:
  explicit TPageControl(QWidget* parent = nullptr);

  // Adds a page and returns the widget to put its controls on.
  QWidget* AddPage(const QString& caption);
  int ActivePageIndex() const { return currentIndex(); }
  void SetActivePageIndex(int index) { setCurrentIndex(index); }
  QString PageCaption(int index) const { return tabText(index); }
  void SetTabFontColor(TColor color);
};
