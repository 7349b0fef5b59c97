#include "ViewModeForm.h"

#include "controls/SvgImage.h"

TViewModeForm::TViewModeForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  resize(115, 195);
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 115, 195);
  Image1->GetPicture().Assign(Bitmap(RenderSvg(QStringLiteral(":/skin/viewmode.svg"), size())));
  const QString captions[] = {QStringLiteral("普通方式(&N)"), QStringLiteral("推拉(&P)"),
                              QStringLiteral("水平交错(&L)"), QStringLiteral("垂直交错(&T)"),
                              QStringLiteral("雨滴(&R)"),     QStringLiteral("百叶窗(&J)"),
                              QStringLiteral("随机(&S)")};
  TRadioButton** buttons[] = {&FlatRadioButton1, &FlatRadioButton2, &FlatRadioButton3,
                              &FlatRadioButton4, &FlatRadioButton5, &FlatRadioButton6,
                              &FlatRadioButton7};
  for (int i = 0; i < 7; ++i) {
    auto* b = new TRadioButton(this, captions[i]);
    b->SetBounds(16, 8 + i * 26, 95, 20);
    b->SetCursor(TCursor::HandPoint);
    b->setStyleSheet(QStringLiteral("QRadioButton { color: #008000; background: transparent; }"));
    *buttons[i] = b;
  }
  FlatRadioButton1->SetChecked(true);
}

// The transition effects arrive with their own work; until then a load shows the
// picture at once, as the normal mode does.
void TViewModeForm::PlayLoadEffect() {}
