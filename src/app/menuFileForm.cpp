#include "menuFileForm.h"

#include "Forms.h"
#include "MainForm.h"
#include "core/CommandBinding.h"

TmenuFileForm::TmenuFileForm(QWidget* owner)
    : TLabelMenuForm(owner, 168, QStringLiteral(":/skin/menu_file.svg"), Colors::Black,
                     Colors::White) {
  Label1 = AddItem(
      0, 6, QStringLiteral("打开(&O)   "), [this] { Label1Click(); }, 'O');
  Label2 = AddItem(
      1, 6, QStringLiteral("关闭(&C)   "), [this] { Label2Click(); }, 'C');
  Label3 = AddItem(
      2, 6, QStringLiteral("另存为(&A)   "), [this] { Label3Click(); }, 'A');
  Label6 = AddItem(
      3, 6, QStringLiteral("保存此大小(&N)   "), [this] { Label6Click(); }, 'N');
  Label4 = AddItem(
      4, 6, QStringLiteral("打印图片(&P)   "), [this] { Label4Click(); }, 'P', true);
  Label5 = AddItem(
      5, 6, QStringLiteral("退出(&E)   "), [this] { Label5Click(); }, 'E');
  // Enabled by every load, disabled by close.
  CommandBinding::BindItem(Label4, Commands().PrintPicture, {true, false, {}, {}});
}

void TmenuFileForm::Label1Click() {
  RunItem(Commands().Open);
}

void TmenuFileForm::Label2Click() {
  RunItem(Commands().ClosePicture);
}

void TmenuFileForm::Label3Click() {
  RunItem(Commands().SaveAs);
}

void TmenuFileForm::Label6Click() {
  RunItem(Commands().SaveThisSize);
}

void TmenuFileForm::Label4Click() {
  RunItem(Commands().PrintPicture);
}

void TmenuFileForm::Label5Click() {
  // Exit only asks the main window to close; the menu stays as it is.
  Commands().Exit.Run();
}
