#include "MenuBar.h"

#include "Forms.h"
#include "MainForm.h"
#include "PopupMainForm.h"
#include "menuEditForm.h"
#include "menuFileForm.h"
#include "menuHelpForm.h"
#include "menuToolForm.h"
#include "menuViewForm.h"
#include "menuZoomForm.h"
#include "popupShapeForm.h"
#include "show/ViewModeForm.h"

MenuBar::MenuBar(TMainForm& form) : form_(form) {}

TLabelMenuForm* MenuBar::DropDownMenu(int k) const {
  TLabelMenuForm* menus[] = {menuFileForm, menuEditForm, menuViewForm,
                             menuZoomForm, menuToolForm, menuHelpForm};
  return k >= 0 && k < 6 ? menus[k] : nullptr;
}

void MenuBar::OpenDropDownMenu(int k) {
  static constexpr int dx[] = {1, 58, 115, 170, 226, 282};
  form_.State.MenuOpen = true;
  DropDownMenu(k)->PopupAt(form_.Left() + dx[k], form_.Top() + 55);
}

void MenuBar::Click(int k) {
  OpenDropDownMenu(k);
}

// Once a menu has been opened from the bar, the menu under the mouse follows it; the
// right-click menus are none of the bar's business. The others are only hidden: menu k
// keeps the keyboard it has just taken.
void MenuBar::MouseMove(int k) {
  if (form_.State.MenuOpen) OpenDropDownMenu(k);
  for (int other = 0; other < 6; ++other)
    if (other != k) DropDownMenu(other)->Hide();
  ViewModeForm->Hide();
}

void MenuBar::CloseMenus(bool withChooser) {
  TForm* menus[] = {menuFileForm, menuEditForm, menuZoomForm,   menuViewForm, menuToolForm,
                    menuHelpForm, nullptr,      popupShapeForm, PopupMainForm};
  if (withChooser) menus[6] = ViewModeForm;
  for (TForm* menu : menus)
    if (menu) menu->Hide();
}

void MenuBar::CloseMenu(WindowHost::Menu menu) {
  if (TLabelMenuForm* form = DropDownMenu(int(menu))) form->CloseMenu();
}

QPoint MenuBar::PictureMenuPlace(int x, int y) const {
  const TMainForm& f = form_;
  return {x + f.scrboxBack->Left() + f.imgMain->Left() + f.Left(),
          y + f.scrboxBack->Top() + f.imgMain->Top() + f.Top()};
}

QPoint MenuBar::SelectionMenuPlace(int x, int y) const {
  const TMainForm& f = form_;
  return {x + f.scrboxBack->Left() + f.shpRect->Left() + f.Left(),
          y + f.scrboxBack->Top() + f.shpRect->Top() + f.Top()};
}
