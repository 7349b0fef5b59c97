#include "LabelMenuForm.h"

#include <cmath>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "controls/SvgImage.h"

TLabelMenuForm::TLabelMenuForm(QWidget* owner, int height, const QString& background, TColor normal,
                               TColor highlight)
    : TForm(owner, TForm::Kind::Tool, true), normal_(normal), highlight_(highlight) {
  resize(kMenuWidth, height);
  setFocusPolicy(Qt::StrongFocus);
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, kMenuWidth, height);
  Image1->SetStretch(true);
  Image1->GetPicture().Assign(Bitmap(RenderSvg(background, QSize(kMenuWidth, height))));
  OnKeyDown = [this](int key, Qt::KeyboardModifiers) { FormKeyDown(key); };
}

TLabel* TLabelMenuForm::AddItem(int row, int rows, const QString& caption,
                                std::function<void()> click, int key, bool onlyWhenEnabled, int x) {
  auto* label = new TLabel(this, caption);
  label->SetAutoSize(false);
  const double pitch = (height() - 12) / double(rows);
  const int y = int(std::lround(6 + row * pitch + (pitch - kItemHeight) / 2));
  label->SetBounds(x, y, kItemWidth, kItemHeight + 3);
  label->SetTransparent(true);
  label->SetFontColor(normal_);
  label->SetCursor(TCursor::HandPoint);
  // Highlighting follows the mouse without a button held.
  label->setMouseTracking(true);
  label->OnClick = click;
  label->OnMouseMove = [this, label](Qt::KeyboardModifiers, int, int) { ItemMouseMove(label); };
  label->OnMouseLeave = [this, label] { ItemMouseLeave(label); };
  items_.push_back({label, key, onlyWhenEnabled, std::move(click)});
  return label;
}

void TLabelMenuForm::ItemMouseMove(TLabel* item) {
  item->SetFontColor(highlight_);
}
void TLabelMenuForm::ItemMouseLeave(TLabel* item) {
  item->SetFontColor(normal_);
}

void TLabelMenuForm::PopupAt(int x, int y) {
  const QPoint place(x, y);
  if (isVisible() && pos() == place && isActiveWindow()) return;
  move(place);
  Show();
  TakeKeyboard();
}

void TLabelMenuForm::CloseMenu() {
  // The owner takes the keyboard before the menu goes, as a window manager would do
  // afterwards; without one the focus would otherwise fall to nowhere.
  QWidget* owner = parentWidget();
  if (isVisible() && owner && owner->isVisible()) owner->activateWindow();
  Hide();
}

void TLabelMenuForm::TakeKeyboard() {
  activateWindow();
  setFocus();
}

void TLabelMenuForm::CloseAndClearMenuOpen() {
  CloseMenu();
  MainForm->State.MenuOpen = false;
}

void TLabelMenuForm::RunItem(Command& command) {
  CloseAndClearMenuOpen();
  command.Run();
}

UserCommands& TLabelMenuForm::Commands() {
  return MainForm->Commands;
}

ViewerState& TLabelMenuForm::State() {
  return MainForm->State;
}

void TLabelMenuForm::FormKeyDown(int key) {
  if (key == 27) {
    CloseMenu();
    return;
  }
  for (const Item& item : items_) {
    if (item.key == 0 || item.key != key) continue;
    if (item.onlyWhenEnabled && !item.label->Enabled()) continue;
    if (item.click) item.click();
    return;
  }
}
