#include "menuEditForm.h"

#include "Forms.h"
#include "MainForm.h"
#include "core/CommandBinding.h"

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
  // Cut, copy, paste and save work once something is selected; the selection item's
  // caption tells whether the mode is on.
  UserCommands& c = Commands();
  const std::pair<TLabel*, Command*> selectionItems[] = {
      {Label1, &c.Cut}, {Label2, &c.Copy}, {Label3, &c.Paste}, {Label11, &c.SaveSelection}};
  for (const auto& [item, command] : selectionItems)
    CommandBinding::BindItem(item, *command, {true, false, {}, {}});
  CommandBinding::BindItem(Label4, c.SelectionMode, {true, true, {}, {}});
}

void TmenuEditForm::SetSelectionItemsEnabled(bool on) {
  UserCommands& c = Commands();
  for (Command* command : {&c.Cut, &c.Copy, &c.Paste, &c.SaveSelection}) command->SetEnabled(on);
}

void TmenuEditForm::Label1Click() {
  RunItem(Commands().Cut);
}

void TmenuEditForm::Label2Click() {
  RunItem(Commands().Copy);
}

void TmenuEditForm::Label3Click() {
  RunItem(Commands().Paste);
}

void TmenuEditForm::Label11Click() {
  RunItem(Commands().SaveSelection);
}

void TmenuEditForm::Label4Click() {
  RunItem(Commands().SelectionMode);
}

void TmenuEditForm::Label5Click() {
  RunItem(Commands().Rotate90);
}

void TmenuEditForm::Label6Click() {
  RunItem(Commands().MirrorLeftRight);
}

void TmenuEditForm::Label7Click() {
  RunItem(Commands().MirrorUpDown);
}

void TmenuEditForm::Label10Click() {
  RunItem(Commands().BlackWhite);
}

void TmenuEditForm::Label8Click() {
  RunItem(Commands().Negative);
}

void TmenuEditForm::Label9Click() {
  RunItem(Commands().Emboss);
}
