#include "DeskPicForm.h"

TDeskPicForm::TDeskPicForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TDeskPicForm"));
  resize(380, 240);
}
