#include "menuEditForm.h"

#include "Forms.h"
#include "MainForm.h"

TmenuEditForm::TmenuEditForm(QWidget* owner)
    : TLabelMenuForm(owner, 306, QStringLiteral(":/skin/menu_edit.svg"), Colors::Maroon,
                     Colors::White) {
  const int n = 11;
  Label1 = AddItem(
      0, n, QStringLiteral("剪切(&X)    "), [this] { Label1Click(); }, 'X', true);
  Label2 = AddItem(
      1, n, QStringLiteral("复制(&C)    "), [this] { Label2Click(); }, 'C', true);
  Label3 = AddItem(
      2, n, QStringLiteral("粘贴(&V)    "), [this] { Label3Click(); }, 'V', true);
  Label11 = AddItem(
      3, n, QStringLiteral("保存(&S)    "), [this] { Label11Click(); }, 'S', true);
  Label4 = AddItem(
      4, n, QStringLiteral("区域选择(&T)    "), [this] { Label4Click(); }, 'T');
  Label5 = AddItem(
      5, n, QStringLiteral("旋转90度(&A)    "), [this] { Label5Click(); }, 'A');
  Label6 = AddItem(
      6, n, QStringLiteral("左右翻转(&L)    "), [this] { Label6Click(); }, 'L');
  Label7 = AddItem(
      7, n, QStringLiteral("上下翻转(&U)    "), [this] { Label7Click(); }, 'U');
  Label10 = AddItem(
      8, n, QStringLiteral("黑白(&B)    "), [this] { Label10Click(); }, 'B');
  Label8 = AddItem(
      9, n, QStringLiteral("底片(&N)    "), [this] { Label8Click(); }, 'N');
  Label9 = AddItem(
      10, n, QStringLiteral("浮雕(&R)    "), [this] { Label9Click(); }, 'R');
  SetSelectionItemsEnabled(false);
}

void TmenuEditForm::SetSelectionItemsEnabled(bool on) {
  for (TLabel* item : {Label1, Label2, Label3, Label11}) item->SetEnabled(on);
}

void TmenuEditForm::Label1Click() {
  CloseAndClearMenuOpen();
  MainForm->CutCommand();
}

void TmenuEditForm::Label2Click() {
  CloseAndClearMenuOpen();
  MainForm->CopyCommand();
}

void TmenuEditForm::Label3Click() {
  CloseAndClearMenuOpen();
  MainForm->PasteCommand();
}

void TmenuEditForm::Label11Click() {
  CloseAndClearMenuOpen();
  MainForm->SaveSelectionCommand();
}

void TmenuEditForm::Label4Click() {
  CloseAndClearMenuOpen();
  MainForm->sbtnSelectClick();
}

void TmenuEditForm::Label5Click() {
  CloseAndClearMenuOpen();
  MainForm->sbtnNinetyTurnClick();
}

void TmenuEditForm::Label6Click() {
  CloseAndClearMenuOpen();
  MainForm->sbtnLRTurnClick();
}

void TmenuEditForm::Label7Click() {
  CloseAndClearMenuOpen();
  MainForm->sbtnUDTurnClick();
}

void TmenuEditForm::Label10Click() {
  CloseAndClearMenuOpen();
  MainForm->BlackWhiteCommand();
}

void TmenuEditForm::Label8Click() {
  CloseAndClearMenuOpen();
  MainForm->NegativeCommand();
}

void TmenuEditForm::Label9Click() {
  CloseAndClearMenuOpen();
  MainForm->EmbossCommand();
}
