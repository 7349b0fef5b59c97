#include "menuToolForm.h"

#include "Forms.h"
#include "MainForm.h"

TmenuToolForm::TmenuToolForm(QWidget* owner)
    : TLabelMenuForm(owner, 220, QStringLiteral(":/skin/menu_tool.svg"), Colors::Yellow,
                     Colors::White) {
  const int n = 8;
  Label1 = AddItem(
      0, n, QStringLiteral("抓取屏幕(&G)   "), [this] { Label1Click(); }, 'G');
  Label8 = AddItem(
      1, n, QStringLiteral("百变桌面(&D)   "), [this] { Label8Click(); }, 0, false, 18);
  Label2 = AddItem(
      2, n, QStringLiteral("设为壁纸(&W)   "), [this] { Label2Click(); }, 'W');
  Label6 = AddItem(
      3, n, QStringLiteral("提取图标(&C)   "), [this] { Label6Click(); }, 'C');
  Label3 = AddItem(
      4, n, QStringLiteral("播放音乐(&M)   "), [this] { Label3Click(); }, 'M');
  Label7 = AddItem(
      5, n, QStringLiteral("拼图游戏(&P)   "), [this] { Label7Click(); }, 0, false, 18);
  Label4 = AddItem(
      6, n, QStringLiteral("导出屏保(&S)   "), [this] { Label4Click(); }, 'S');
  Label5 = AddItem(
      7, n, QStringLiteral("导入屏保(&I)   "), [this] { Label5Click(); }, 'I');
}

void TmenuToolForm::Label1Click() {
  RunItem(Commands().ScreenCapture);
}

void TmenuToolForm::Label8Click() {
  // The changing desktop leaves MenuOpen as it is.
  CloseMenu();
  Commands().ChangingDesktop.Run();
}

void TmenuToolForm::Label2Click() {
  RunItem(Commands().SetWallpaper);
}

void TmenuToolForm::Label6Click() {
  RunItem(Commands().ExtractIcon);
}

void TmenuToolForm::Label3Click() {
  RunItem(Commands().MusicPlayer);
}

void TmenuToolForm::Label7Click() {
  RunItem(Commands().Puzzle);
}

void TmenuToolForm::Label4Click() {
  RunItem(Commands().ExportScreenSaver);
}

void TmenuToolForm::Label5Click() {
  RunItem(Commands().ImportScreenSaver);
}
