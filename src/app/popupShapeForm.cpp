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

// Each item does what the Edit menu's item does, whether or not that item is enabled:
// it closes the Edit menu too and clears MenuOpen.
void TpopupShapeForm::RunEditItem(Command& command) {
  CloseMenu();
  menuEditForm->CloseMenu();
  State().MenuOpen = false;
  command.Run();
}

void TpopupShapeForm::Label1Click() {
  RunEditItem(Commands().Cut);
}

void TpopupShapeForm::Label2Click() {
  RunEditItem(Commands().Copy);
}

void TpopupShapeForm::Label3Click() {
  RunEditItem(Commands().Paste);
}

void TpopupShapeForm::Label11Click() {
  RunEditItem(Commands().SaveSelection);
}

void TpopupShapeForm::Label4Click() {
  RunEditItem(Commands().SelectionMode);
}
