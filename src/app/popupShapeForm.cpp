#include "popupShapeForm.h"

#include "Forms.h"
#include "MainForm.h"
#include "menuEditForm.h"

TpopupShapeForm::TpopupShapeForm(QWidget* owner)
    : TLabelMenuForm(owner, 148, QStringLiteral(":/skin/popup_shape.svg"), Colors::Maroon,
                     Colors::Black) {
  const int n = 5;
  Label1 = AddItem(0, n, QStringLiteral("剪切(&X)    "), [this] { Label1Click(); });
  Label2 = AddItem(1, n, QStringLiteral("复制(&C)    "), [this] { Label2Click(); });
  Label3 = AddItem(2, n, QStringLiteral("粘贴(&V)    "), [this] { Label3Click(); });
  Label11 = AddItem(3, n, QStringLiteral("保存(&S)    "), [this] { Label11Click(); });
  Label4 = AddItem(4, n, QStringLiteral("清除选择(&T)    "), [this] { Label4Click(); });
}

void TpopupShapeForm::ItemMouseMove(TLabel* item) {
  for (TLabel* other : {Label1, Label2, Label3, Label11, Label4})
    other->SetFontColor(other == item ? HighlightColor() : NormalColor());
}

void TpopupShapeForm::ItemMouseLeave(TLabel*) {}

void TpopupShapeForm::Label1Click() {
  CloseMenu();
  menuEditForm->Label1Click();
}

void TpopupShapeForm::Label2Click() {
  CloseMenu();
  menuEditForm->Label2Click();
}

void TpopupShapeForm::Label3Click() {
  CloseMenu();
  menuEditForm->Label3Click();
}

void TpopupShapeForm::Label11Click() {
  CloseMenu();
  menuEditForm->Label11Click();
}

void TpopupShapeForm::Label4Click() {
  CloseMenu();
  menuEditForm->Label4Click();
}
