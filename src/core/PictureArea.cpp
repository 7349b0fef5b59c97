#include "PictureArea.h"

void PictureArea::CenterPicture() {
  const int w = scrboxBack->Width(), h = scrboxBack->Height();
  imgMain->SetLeft(w > imgMain->Width() ? (w - imgMain->Width()) / 2 : 0);
  imgMain->SetTop(h > imgMain->Height() ? (h - imgMain->Height()) / 2 : 0);
}

void PictureArea::ScrollToOrigin() {
  scrboxBack->SetHorzPosition(0);
  scrboxBack->SetVertPosition(0);
}

void PictureArea::ShowDisplaySize() {
  const QString size = QString::number(imgMain->Width()) + QStringLiteral(" X ") +
                       QString::number(imgMain->Height());
  lblSize->SetCaption(size);
  StatusBar->SetText(kResolution, size);
}

void PictureArea::SetZoomText(int percent) {
  StatusBar->SetText(kZoom, QString::number(percent) + QLatin1Char('%'));
}

QString PictureArea::InitialStatusText(int panel) {
  static const QString texts[] = {QStringLiteral("文件数"),   QStringLiteral("文件名"),
                                  QStringLiteral("大小"),     QStringLiteral("分辨率"),
                                  QStringLiteral("更新日期"), QStringLiteral("100%"),
                                  QStringLiteral("鼠标位置")};
  return panel >= 0 && panel < 7 ? texts[panel] : QString();
}
