#include "PopupMainForm.h"

#include "Forms.h"
#include "MainForm.h"
#include "core/CommandBinding.h"
#include "menuToolForm.h"

TPopupMainForm::TPopupMainForm(QWidget* owner)
    : TLabelMenuForm(owner, 209, QStringLiteral(":/skin/popup_main.svg"), Colors::Green,
                     Colors::Black) {
  const int n = 7;
  Label1 = AddItem(0, n, QStringLiteral("另存为(&A)   "), [this] { Label1Click(); });
  Label2 = AddItem(1, n, QStringLiteral("保存此大小(&N)   "), [this] { Label2Click(); });
  Label3 = AddItem(2, n, QStringLiteral("区域选择(&T)   "), [this] { Label3Click(); });
  Label4 = AddItem(3, n, QStringLiteral("设为壁纸(&W)   "), [this] { Label4Click(); });
  Label5 = AddItem(4, n, QStringLiteral("全屏(&F)   "), [this] { Label5Click(); });
  Label6 = AddItem(5, n, QStringLiteral("隐藏列表(&L)   "), [this] { Label6Click(); });
  Label7 = AddItem(6, n, QStringLiteral("图片属性(&A)   "), [this] { Label7Click(); });
  CommandBinding::BindItem(Label5, Commands().FullScreen, {false, true, {}, {}});
  CommandBinding::BindItem(Label6, Commands().ListPanel, {false, true, {}, {}});
}

void TPopupMainForm::Label1Click() {
  CloseMenu();
  Commands().SaveAs.Run();
}

void TPopupMainForm::Label2Click() {
  CloseMenu();
  Commands().SaveThisSize.Run();
}

void TPopupMainForm::Label3Click() {
  CloseMenu();
  Commands().SelectionMode.Run();
}

// As the Tools menu's item, which closes its own menu and clears MenuOpen.
void TPopupMainForm::Label4Click() {
  CloseMenu();
  menuToolForm->CloseMenu();
  State().MenuOpen = false;
  Commands().SetWallpaper.Run();
}

void TPopupMainForm::Label5Click() {
  CloseMenu();
  Commands().FullScreen.Run();
}

void TPopupMainForm::Label6Click() {
  CloseMenu();
  Commands().ListPanel.Run();
}

void TPopupMainForm::Label7Click() {
  CloseMenu();
  Commands().PictureProperties.Run();
}
