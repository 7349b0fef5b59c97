#pragma once
// A flat drop-down list: the user picks one of its items or none is chosen (ItemIndex -1).
// Items are chosen from the list only, never typed. As with the classic control, OnChange
// runs when the user changes the choice, not when code sets ItemIndex or the items.
#include <QComboBox>
#include <QStringList>

#include "TControl.h"

class TComboBox : public TControl<QComboBox> {
 public:
  explicit TComboBox(QWidget* parent = nullptr);

  QStringList Items() const;
  // Replaces the items; nothing is chosen afterwards.
  void SetItems(const QStringList& items);
  void AddItem(const QString& item);
  void Clear();

  // The position of the chosen item, -1 when none is. Setting a position outside the
  // items chooses none.
  int ItemIndex() const { return currentIndex(); }
  void SetItemIndex(int index);
  // The chosen item's text; empty when none is chosen.
  QString Text() const { return currentText(); }

  // How many items the open list shows before it scrolls.
  int DropDownCount() const { return maxVisibleItems(); }
  void SetDropDownCount(int count) { setMaxVisibleItems(count); }

  TNotifyEvent OnChange;

 private:
  // Changes made by code, during which OnChange stays quiet.
  template <class F>
  void Quietly(F&& change);

  bool quiet_ = false;
};
