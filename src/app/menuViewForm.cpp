#include "menuViewForm.h"

#include "Forms.h"
#include "MainForm.h"
#include "core/CommandBinding.h"
#include "show/ViewModeForm.h"

TmenuViewForm::TmenuViewForm(QWidget* owner)
    : TLabelMenuForm(owner, 224, QStringLiteral(":/skin/menu_view.svg"), Colors::Green,
                     Colors::White) {
  const int n = 8;
  Label1 = AddItem(
      0, n, QStringLiteral("全屏(&F)   "), [this] { Label1Click(); }, 'F');
  Label8 = AddItem(
      1, n, QStringLiteral("迷你播放(&X)   "), [this] { Label8Click(); }, 'X');
  Label2 = AddItem(
      2, n, QStringLiteral("上一幅(&P)   "), [this] { Label2Click(); }, 'P');
  Label3 = AddItem(
      3, n, QStringLiteral("下一幅(&N)   "), [this] { Label3Click(); }, 'N');
  Label4 = AddItem(
      4, n, QStringLiteral("幻灯片(&S)   "), [this] { Label4Click(); }, 'S');
  Label5 = AddItem(
      5, n, QStringLiteral("隐藏列表(&L)   "), [this] { Label5Click(); }, 'L');
  // No click action: hovering or its key opens the chooser.
  Label6 = AddItem(6, n, QStringLiteral("查看方式(&M)   "), nullptr);
  items_.back().key = 'M';
  items_.back().click = [this] { ShowViewModeChooser(); };
  Label7 = AddItem(
      7, n, QStringLiteral("图片属性(&A)   "), [this] { Label7Click(); }, 'A');
  // The full-screen caption never changes here; mini mode and the list panel show theirs.
  CommandBinding::BindItem(Label8, Commands().MiniMode, {false, true, {}, {}});
  CommandBinding::BindItem(Label5, Commands().ListPanel, {false, true, {}, {}});
}

void TmenuViewForm::ItemMouseMove(TLabel* item) {
  TLabelMenuForm::ItemMouseMove(item);
  if (item == Label6)
    ShowViewModeChooser();
  else
    CloseViewModeChooser();
}

void TmenuViewForm::ShowViewModeChooser() {
  const QPoint place(x() + 115, y() + 142);
  // Hovering asks again on every mouse move; a chooser already up there stays as it is.
  if (ViewModeForm->isVisible() && ViewModeForm->pos() == place && ViewModeForm->isActiveWindow())
    return;
  ViewModeForm->move(place);
  ViewModeForm->Show();
  ViewModeForm->activateWindow();
}

void TmenuViewForm::CloseViewModeChooser() {
  if (!ViewModeForm->isVisible()) return;
  // The mouse is back on this menu: its letter keys work again. It takes the keyboard
  // before the chooser goes, so that the focus never falls back to nowhere.
  if (ViewModeForm->isActiveWindow() && isVisible()) TakeKeyboard();
  ViewModeForm->Hide();
}

void TmenuViewForm::Label1Click() {
  if (!MainForm->imgMain->Visible()) return;
  RunItem(Commands().FullScreen);
}

void TmenuViewForm::Label8Click() {
  // Entering mini mode closes this menu but leaves MenuOpen as it is.
  CloseMenu();
  Commands().MiniMode.Run();
}

void TmenuViewForm::Label2Click() {
  RunItem(Commands().PreviousPicture);
}

void TmenuViewForm::Label3Click() {
  RunItem(Commands().NextPicture);
}

void TmenuViewForm::Label4Click() {
  RunItem(Commands().SlideShow);
}

void TmenuViewForm::Label5Click() {
  RunItem(Commands().ListPanel);
}

void TmenuViewForm::Label7Click() {
  // The panel toggle closes this menu and clears MenuOpen itself.
  Commands().PictureProperties.Run();
}
