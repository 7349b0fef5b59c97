#include "menuZoomForm.h"

#include "Forms.h"
#include "MainForm.h"

TmenuZoomForm::TmenuZoomForm(QWidget* owner)
    : TLabelMenuForm(owner, 195, QStringLiteral(":/skin/menu_zoom.svg"), Colors::Purple,
                     Colors::White) {
  const int n = 7;
  Label1 = AddItem(
      0, n, QStringLiteral("真实大小(&R)   "), [this] { Label1Click(); }, 'R');
  Label2 = AddItem(
      1, n, QStringLiteral("适合图像(&P)   "), [this] { Label2Click(); }, 'P');
  Label3 = AddItem(
      2, n, QStringLiteral("适合宽度(&W)   "), [this] { Label3Click(); }, 'W');
  Label4 = AddItem(
      3, n, QStringLiteral("适合高度(&H)   "), [this] { Label4Click(); }, 'H');
  Label5 = AddItem(
      4, n, QStringLiteral("放大(&I)          "), [this] { Label5Click(); }, 'I');
  Label6 = AddItem(
      5, n, QStringLiteral("缩小(&O)          "), [this] { Label6Click(); }, 'O');
  Label7 = AddItem(
      6, n, QStringLiteral("放大镜(&Z)          "), [this] { Label7Click(); }, 'Z');
}

void TmenuZoomForm::Label1Click() {
  RunItem(Commands().RealSize);
}

void TmenuZoomForm::Label2Click() {
  RunItem(Commands().FitPicture);
}

void TmenuZoomForm::Label3Click() {
  RunItem(Commands().FitWidth);
}

void TmenuZoomForm::Label4Click() {
  RunItem(Commands().FitHeight);
}

void TmenuZoomForm::Label5Click() {
  RunItem(Commands().ZoomIn);
}

void TmenuZoomForm::Label6Click() {
  RunItem(Commands().ZoomOut);
}

void TmenuZoomForm::Label7Click() {
  RunItem(Commands().Magnifier);
}
