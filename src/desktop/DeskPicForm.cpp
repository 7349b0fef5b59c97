#include "DeskPicForm.h"

#include "controls/Dialogs.h"

TDeskPicForm::TDeskPicForm(QWidget* owner, const ViewerState& state, const TListView& list)
    : TForm(owner, TForm::Kind::Tool, false) {
  setObjectName(QStringLiteral("TDeskPicForm"));
  SetCaption(QStringLiteral("百变桌面 1.0"));
  SetClientSize(330, 186);
  SetColor(RGBColor(240, 240, 240));

  FlatGroupBox1 = new TGroupBox(this, QStringLiteral("图片来源"));
  FlatGroupBox1->setObjectName(QStringLiteral("FlatGroupBox1"));
  FlatGroupBox1->SetBounds(12, 8, 306, 80);
  frbNet =
      new TRadioButton(FlatGroupBox1, QStringLiteral("使用网络中的图片（可以上网的推荐使用）"));
  frbNet->setObjectName(QStringLiteral("frbNet"));
  frbNet->SetBounds(14, 24, 286, 22);
  frbList = new TRadioButton(FlatGroupBox1, QStringLiteral("使用当前列表中的图片"));
  frbList->setObjectName(QStringLiteral("frbList"));
  frbList->SetBounds(14, 50, 286, 22);
  frbNet->SetChecked(true);

  Label1 = new TLabel(this, QStringLiteral("图片切换间隔时间（秒）："));
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->SetTransparent(true);
  Label1->move(16, 106);
  fedtTime = new TSpinEdit(this);
  fedtTime->setObjectName(QStringLiteral("fedtTime"));
  fedtTime->SetBounds(218, 101, 100, 24);
  fedtTime->SetMinMax(10, 600);
  fedtTime->SetValue(30);

  fbtnDeskStart = new TButton(this, DeskPicChanger::kStart);
  fbtnDeskStart->setObjectName(QStringLiteral("fbtnDeskStart"));
  fbtnDeskStart->SetBounds(125, 142, 80, 28);

  DeskPicTimer = new TTimer(this, 10000);
  DownDeskPicTimer = new TTimer(this, 3600000);

  Changer = std::make_unique<DeskPicChanger>(
      DeskPicChanger::Controls{this, frbNet, frbList, fedtTime, fbtnDeskStart, DeskPicTimer,
                               DownDeskPicTimer},
      state, list);

  fbtnDeskStart->OnClick = [this] { fbtnDeskStartClick(); };
  fedtTime->OnChange = [this] { fedtTimeChange(); };
  DeskPicTimer->OnTimer = [this] { DeskPicTimerTimer(); };
  DownDeskPicTimer->OnTimer = [this] { DownDeskPicTimerTimer(); };
}

TDeskPicForm::~TDeskPicForm() {
  // The pass stops and its thread ends before the controls it reports to go.
  Changer.reset();
}

void TDeskPicForm::ShowDialog() {
  if (parentWidget()) CenterOn(parentWidget());
  Dialogs::ShowModal(this);
}

void TDeskPicForm::fbtnDeskStartClick() {
  Changer->fbtnDeskStartClick();
}

void TDeskPicForm::fedtTimeChange() {
  Changer->fedtTimeChange();
}

void TDeskPicForm::DeskPicTimerTimer() {
  Changer->DeskPicTimerTimer();
}

void TDeskPicForm::DownDeskPicTimerTimer() {
  Changer->DownDeskPicTimerTimer();
}
