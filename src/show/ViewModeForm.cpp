#include "ViewModeForm.h"

#include <QApplication>

#include "controls/SvgImage.h"

namespace {
constexpr TColor kMarkColor = RGBColor(255, 0, 0);
}

TViewModeForm::TViewModeForm(QWidget* owner, ViewerContext context)
    : TForm(owner, TForm::Kind::Tool, true) {
  resize(115, 195);
  setFocusPolicy(Qt::StrongFocus);
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 115, 195);
  Image1->GetPicture().Assign(Bitmap(RenderSvg(QStringLiteral(":/skin/viewmode.svg"), size())));
  const QString captions[] = {QStringLiteral("普通方式(&N)"), QStringLiteral("推拉(&P)"),
                              QStringLiteral("水平交错(&L)"), QStringLiteral("垂直交错(&T)"),
                              QStringLiteral("雨滴(&R)"),     QStringLiteral("百叶窗(&J)"),
                              QStringLiteral("随机(&S)")};
  TRadioButton** buttons[] = {&FlatRadioButton1, &FlatRadioButton2, &FlatRadioButton3,
                              &FlatRadioButton4, &FlatRadioButton5, &FlatRadioButton6,
                              &FlatRadioButton7};
  void (TViewModeForm::*actions[])() = {
      &TViewModeForm::FlatRadioButton1Click, &TViewModeForm::FlatRadioButton2Click,
      &TViewModeForm::FlatRadioButton3Click, &TViewModeForm::FlatRadioButton4Click,
      &TViewModeForm::FlatRadioButton5Click, &TViewModeForm::FlatRadioButton6Click,
      &TViewModeForm::FlatRadioButton7Click};
  ViewModes::Buttons all{};
  for (int i = 0; i < ViewModes::kModeCount; ++i) {
    auto* b = new TRadioButton(this, captions[i]);
    b->SetBounds(16, 8 + i * 26, 95, 20);
    b->SetCursor(TCursor::HandPoint);
    b->SetFontColor(Colors::Green);
    b->SetMarkColor(kMarkColor);
    b->setMouseTracking(true);
    const auto action = actions[i];
    // Becoming checked runs the action (also when checked from code); a click on the
    // checked button gets no toggle from Qt, so the click itself runs it then.
    b->OnClick = [this, action] { (this->*action)(); };
    auto wasChecked = std::make_shared<bool>(false);
    connect(b, &QAbstractButton::pressed, this, [b, wasChecked] { *wasChecked = b->isChecked(); });
    connect(b, &QAbstractButton::clicked, this, [this, action, wasChecked] {
      if (*wasChecked) (this->*action)();
      *wasChecked = false;
    });
    b->OnMouseMove = [this, i](Qt::KeyboardModifiers, int, int) { FlatRadioButtonMouseMove(i); };
    *buttons[i] = b;
    all[size_t(i)] = b;
  }
  Modes = std::make_unique<ViewModes>(
      context, all, [this] { CloseChooser(false); }, [this] { CloseChooser(true); });
  FlatRadioButton1->SetChecked(true);
  OnKeyDown = [this](int key, Qt::KeyboardModifiers) { FormKeyDown(key); };
}

TViewModeForm::~TViewModeForm() = default;

void TViewModeForm::FlatRadioButton1Click() {
  Modes->Action(ViewModes::Normal);
}
void TViewModeForm::FlatRadioButton2Click() {
  Modes->Action(ViewModes::PushPull);
}
void TViewModeForm::FlatRadioButton3Click() {
  Modes->Action(ViewModes::HorizontalInterlace);
}
void TViewModeForm::FlatRadioButton4Click() {
  Modes->Action(ViewModes::VerticalInterlace);
}
void TViewModeForm::FlatRadioButton5Click() {
  Modes->Action(ViewModes::Raindrops);
}
void TViewModeForm::FlatRadioButton6Click() {
  Modes->Action(ViewModes::Blinds);
}
void TViewModeForm::FlatRadioButton7Click() {
  Modes->Action(ViewModes::Random);
}
void TViewModeForm::FlatRadioButtonMouseMove(int k) {
  Modes->Hover(k);
}
void TViewModeForm::FormKeyDown(int key) {
  Modes->KeyDown(key);
}
void TViewModeForm::PlayLoadEffect() {
  Modes->PlayLoadEffect();
}

void TViewModeForm::showEvent(QShowEvent* event) {
  // Shown by the View menu, which still has the keyboard here.
  if (QWidget* active = QApplication::activeWindow(); active && active != this)
    openedFrom_ = active;
  TForm::showEvent(event);
}

void TViewModeForm::CloseChooser(bool escape) {
  if (!isVisible()) return;
  // The keyboard moves before the chooser goes, so that it never falls to nowhere.
  QWidget* next =
      escape && openedFrom_ && openedFrom_->isVisible() ? openedFrom_.data() : parentWidget();
  if (isActiveWindow() && next && next->isVisible()) {
    next->activateWindow();
    next->setFocus();
  }
  Hide();
}
