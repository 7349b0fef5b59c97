#pragma once
// A label menu: a borderless window with a background picture whose items are
// transparent labels. Items highlight under the mouse, run on a click or on their key,
// and Esc closes the menu. Subclasses add their items in screen order.
#include <functional>
#include <vector>

#include "controls/TForm.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"

class TLabelMenuForm : public TForm {
 public:
  static constexpr int kMenuWidth = 115;
  static constexpr int kItemX = 16;
  static constexpr int kItemWidth = 97;
  static constexpr int kItemHeight = 13;

  TLabelMenuForm(QWidget* owner, int height, const QString& background, TColor normal,
                 TColor highlight);

  TImage* Image1;  // the background picture

  // Places the menu's top-left corner at (x, y) in screen coordinates and shows it.
  void PopupAt(int x, int y);
  void CloseMenu() { Hide(); }

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

  // The item's y is its row: rows are spread evenly over the menu's height.
  TLabel* AddItem(int row, int rows, const QString& caption, std::function<void()> click,
                  int key = 0, bool onlyWhenEnabled = false, int x = kItemX);

  // Highlight on mouse move, normal colour on leave; subclasses add their extras.
  virtual void ItemMouseMove(TLabel* item);
  virtual void ItemMouseLeave(TLabel* item);

  // The common start of a drop-down item: close this menu and clear MenuOpen.
  void CloseAndClearMenuOpen();

  std::vector<Item> items_;

 private:
  TColor normal_, highlight_;
};
