#pragma once
// The acknowledgements: the free projects this program stands on. A press on the window's
// background or on its heading closes it, and so does Esc, also while the list has the
// keyboard.
#include <QStringList>

#include "controls/TForm.h"
#include "controls/TLabel.h"
#include "controls/TMemo.h"

class TThanksForm : public TForm {
 public:
  explicit TThanksForm(QWidget* owner);

  // The seven entries, as each project writes its name.
  static const QStringList& Contributors();

  TLabel* Label1;    // heading
  TMemo* FlatMemo1;  // the list, read-only

  void FormMouseDown(Qt::MouseButton button, int x, int y);
  void Label1MouseDown(Qt::MouseButton button, int x, int y);
  void FormKeyDown(int key);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
