#include "menuHelpForm.h"

#include "Forms.h"
#include "MainForm.h"

TmenuHelpForm::TmenuHelpForm(QWidget* owner)
    : TLabelMenuForm(owner, 54, QStringLiteral(":/skin/menu_help.svg"), Colors::Aqua,
                     Colors::White) {
  Label2 = AddItem(
      0, 2, QStringLiteral("鸣谢(&T)   "), [this] { Label2Click(); }, 'T');
  Label3 = AddItem(
      1, 2, QStringLiteral("关于(&A)   "), [this] { Label3Click(); }, 'A');
  Label1 = new TLabel(this, QStringLiteral("帮助(&H)   "));
  Label1->SetAutoSize(false);
  Label1->SetBounds(kItemX, Height() + 6, kItemWidth, kItemHeight);
  Label1->SetTransparent(true);
  Label1->SetFontColor(NormalColor());
}

void TmenuHelpForm::Label2Click() {
  RunItem(Commands().Thanks);
}

void TmenuHelpForm::Label3Click() {
  RunItem(Commands().About);
}
