#include "CommandBinding.h"

#include "Command.h"
#include "controls/TLabel.h"
#include "controls/TSpeedButton.h"

namespace CommandBinding {

void BindButton(TSpeedButton* button, Command& command, const ButtonLook& look) {
  button->OnClick = [&command] { command.Run(); };
  auto draw = [button, &command, look] {
    button->SetEnabled(command.Enabled());
    if (look.raisedWhileChecked) button->SetFlat(!command.Checked());
    const QString& hint = command.Checked() ? look.checkedHint : look.hint;
    if (!hint.isEmpty()) button->SetHint(hint);
  };
  draw();
  // The button is the context: the connection goes when the button does.
  QObject::connect(&command, &Command::Changed, button, draw);
}

void BindItem(TLabel* item, Command& command, const ItemLook& look) {
  if (look.followEnabled) item->SetEnabled(command.Enabled());
  auto lastChecked = std::make_shared<bool>(command.Checked());
  QObject::connect(&command, &Command::Changed, item, [item, &command, look, lastChecked] {
    if (look.followEnabled) item->SetEnabled(command.Enabled());
    if (!look.followCaption || command.Checked() == *lastChecked) return;
    *lastChecked = command.Checked();
    const QString& own = command.Checked() ? look.checkedCaption : look.caption;
    item->SetCaption(own.isEmpty() ? command.Caption() : own);
  });
}

}  // namespace CommandBinding
