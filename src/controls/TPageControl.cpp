#include "TPageControl.h"

#include <QTabBar>

TPageControl::TPageControl(QWidget* parent) : TControl<QTabWidget>(parent) {
  setDocumentMode(true);
  tabBar()->setDrawBase(false);
  setStyleSheet(QStringLiteral(
      "QTabBar::tab { border: 1px solid transparent; border-radius: 3px; padding: 3px 10px;"
      " margin: 2px 1px; background: transparent; }"
      "QTabBar::tab:selected { border-color: #7fa4c4; background: #dbe8f4; }"
      "QTabBar::tab:hover:!selected { border-color: #b7cde0; }"));
}

QWidget* TPageControl::AddPage(const QString& caption) {
  auto* page = new QWidget;
  page->setAutoFillBackground(false);
  addTab(page, caption);
  return page;
}

void TPageControl::SetTabFontColor(TColor color) {
  QPalette pal = tabBar()->palette();
  pal.setColor(QPalette::WindowText, QColor(ToQRgb(color)));
  pal.setColor(QPalette::ButtonText, QColor(ToQRgb(color)));
  tabBar()->setPalette(pal);
}
