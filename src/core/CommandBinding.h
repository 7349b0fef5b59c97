#pragma once
// Binding controls to commands. A bound control is drawn from its command whenever the
// command changes: a tool button runs it and follows its enabled state (and, for a mode,
// is drawn raised while it is checked); a menu item follows its caption and, where the
// menu says so, its enabled state. A menu item's click stays with its menu, which closes
// itself before it runs the command.
#include <QString>

class Command;
class TLabel;
class TSpeedButton;

namespace CommandBinding {

struct ButtonLook {
  bool raisedWhileChecked = false;
  // Hints for the two states; empty leaves the hint as it is.
  QString hint, checkedHint;
};
void BindButton(TSpeedButton* button, Command& command, const ButtonLook& look = {});

struct ItemLook {
  bool followEnabled = false;
  bool followCaption = false;
  // Captions for the two states; empty takes the command's. Captions change when the
  // checked state changes: until then the item keeps the caption it was made with.
  QString caption, checkedCaption;
};
void BindItem(TLabel* item, Command& command, const ItemLook& look = {});

}  // namespace CommandBinding
