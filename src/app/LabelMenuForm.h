#pragma once
// A label menu: a borderless window with a background picture whose items are
// transparent labels. Items highlight under the mouse, run on a click or on their key,
// and Esc closes the menu. Subclasses add their items in screen order.
#include <functional>
#include <vector>

#include "controls/TForm.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"

class Command;
struct UserCommands;
class ViewerState;

class TLabelMenuForm : public TForm {
 public:
  static constexpr int kMenuWidth = 115;
  static constexpr int kItemX = 16;
  static constexpr int kItemWidth = 97;
  static constexpr int kItemHeight = 13;

  TLabelMenuForm(QWidget* owner, int height, const QString& background, TColor normal,
                 TColor highlight);

  TImage* Image1;  // the background picture

  // Places the menu's top-left corner at (x, y) in screen coordinates and shows it; it
  // becomes the active window, so that its letter keys reach it. A menu that is already
  // open there with the keyboard is left alone (the menu bar asks on every mouse move).
  void PopupAt(int x, int y);
  // Hides the menu and hands the keyboard back to the main window.
  void CloseMenu();
  // Activates the menu and gives its window the focus.
  void TakeKeyboard();

  TColor NormalColor() const { return normal_; }
  TColor HighlightColor() const { return highlight_; }

  // The keys: Esc closes; each item's letter runs it (some only while enabled).
  void FormKeyDown(int key);

 protected:
  struct Item {
    TLabel* label;
    int key;               // virtual-key code, 0 = none
    bool onlyWhenEnabled;  // the key works only while the item is enabled
    std::function<void()> click;
  };

  // The item's y is its row: rows are spread evenly over the menu's height. The box is
  // three pixels taller than the classic 13 so that this font's accelerator underline
  // is not cut off.
  TLabel* AddItem(int row, int rows, const QString& caption, std::function<void()> click,
                  int key = 0, bool onlyWhenEnabled = false, int x = kItemX);

  // Highlight on mouse move, normal colour on leave; subclasses add their extras.
  virtual void ItemMouseMove(TLabel* item);
  virtual void ItemMouseLeave(TLabel* item);

  // The common start of a drop-down item: close this menu and clear MenuOpen.
  void CloseAndClearMenuOpen();
  // The common drop-down item: close this menu, clear MenuOpen, run command.
  void RunItem(Command& command);

  // The main window's commands and state.
  static UserCommands& Commands();
  static ViewerState& State();

  std::vector<Item> items_;

 private:
  TColor normal_, highlight_;
};
