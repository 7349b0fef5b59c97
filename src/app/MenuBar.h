#pragma once
// The menu bar and the label menus' places: a bar button opens its menu under itself;
// once a menu has been opened from the bar, hovering another bar button switches to its
// menu. Also where the two right-click menus open, and closing menus.
#include <QPoint>

#include "core/WindowHost.h"

class TLabelMenuForm;
class TMainForm;

class MenuBar {
 public:
  explicit MenuBar(TMainForm& form);

  // k = 0..5: File, Edit, View, Zoom, Tools, Help.
  void Click(int k);
  void MouseMove(int k);
  void OpenDropDownMenu(int k);
  TLabelMenuForm* DropDownMenu(int k) const;

  void CloseMenus(bool withChooser);
  void CloseMenu(WindowHost::Menu menu);

  // Screen places of the right-click menus for a press at (x, y) on the picture or on
  // the selection rectangle.
  QPoint PictureMenuPlace(int x, int y) const;
  QPoint SelectionMenuPlace(int x, int y) const;

 private:
  TMainForm& form_;
};
