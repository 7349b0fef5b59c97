#include "TComboBox.h"

TComboBox::TComboBox(QWidget* parent) : TControl<QComboBox>(parent) {
  setEditable(false);
  setMaxVisibleItems(8);
  setStyleSheet(QStringLiteral("QComboBox { border: 1px solid #9fb4c8; padding: 0 2px; }"));
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (!quiet_) TApplication::RunHandler(OnChange);
  });
}

template <class F>
void TComboBox::Quietly(F&& change) {
  const bool was = quiet_;
  quiet_ = true;
  change();
  quiet_ = was;
}

QStringList TComboBox::Items() const {
  QStringList items;
  items.reserve(count());
  for (int i = 0; i < count(); ++i) items.append(itemText(i));
  return items;
}

void TComboBox::SetItems(const QStringList& items) {
  Quietly([&] {
    clear();
    addItems(items);
    // Qt makes the first item of an empty box current; here nothing is chosen until the
    // user or the code chooses.
    setCurrentIndex(-1);
  });
}

void TComboBox::AddItem(const QString& item) {
  Quietly([&] {
    const int chosen = currentIndex();
    addItem(item);
    setCurrentIndex(chosen);
  });
}

void TComboBox::Clear() {
  Quietly([&] { clear(); });
}

void TComboBox::SetItemIndex(int index) {
  Quietly([&] { setCurrentIndex(index >= 0 && index < count() ? index : -1); });
}
