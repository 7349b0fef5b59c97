#include "ScreenSafeForm.h"

#include <QPainter>

namespace {
constexpr TColor kBackground = RGBColor(236, 242, 250);
constexpr TColor kTitleBar = RGBColor(0, 84, 166);
constexpr TColor kFrame = RGBColor(0, 64, 128);
constexpr int kTitleHeight = 30;

template <class Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}
}  // namespace

TScreenSafeForm::TScreenSafeForm(QWidget* owner, ViewerContext context, ShowSources sources)
    : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TScreenSafeForm"));
  SetClientSize(426, 257);
  SetColor(kBackground);
  SetBorderColor(kFrame);

  Label1 = Named(new TLabel(this, QStringLiteral("屏保设置")), "Label1");
  Label1->SetBounds(12, 5, 200, 22);
  Label1->SetFontSize(11);
  Label1->SetBold(true);
  Label1->SetFontColor(Colors::White);
  Label2 = Named(new TLabel(this, QStringLiteral("屏保使用主窗体左边列表里的图片，点上下按钮"
                                                 "可以调整播放次序。")),
                 "Label2");
  Label2->SetBounds(16, 40, 394, 36);
  Label2->SetWordWrap(true);

  Label3 = Named(new TLabel(this, QStringLiteral("打开动画")), "Label3");
  Label3->SetBounds(24, 88, 70, 20);
  FlatComboBox1 = Named(new TComboBox(this), "FlatComboBox1");
  FlatComboBox1->SetBounds(100, 85, 150, 24);
  FlatComboBox1->SetItems({QStringLiteral("普通方式"), QStringLiteral("推拉"),
                           QStringLiteral("水平交错"), QStringLiteral("垂直交错"),
                           QStringLiteral("雨滴"), QStringLiteral("百叶窗"),
                           QStringLiteral("随机")});

  Label4 = Named(new TLabel(this, QStringLiteral("显示方式")), "Label4");
  Label4->SetBounds(24, 122, 70, 20);
  FlatRadioButton1 = Named(new TRadioButton(this, QStringLiteral("实际大小")), "FlatRadioButton1");
  FlatRadioButton2 = Named(new TRadioButton(this, QStringLiteral("适合图片")), "FlatRadioButton2");
  FlatRadioButton3 = Named(new TRadioButton(this, QStringLiteral("适合宽度")), "FlatRadioButton3");
  FlatRadioButton4 = Named(new TRadioButton(this, QStringLiteral("适合高度")), "FlatRadioButton4");
  TRadioButton* display[4] = {FlatRadioButton1, FlatRadioButton2, FlatRadioButton3,
                              FlatRadioButton4};
  for (int i = 0; i < 4; ++i) display[i]->SetBounds(100 + 78 * i, 120, 76, 24);

  Label5 = Named(new TLabel(this, QStringLiteral("切换时间")), "Label5");
  Label5->SetBounds(24, 156, 70, 20);
  FlatSpinEdit = Named(new TSpinEdit(this), "FlatSpinEdit");
  FlatSpinEdit->SetBounds(100, 153, 64, 24);
  FlatSpinEdit->SetMinMax(1, 60);
  FlatSpinEdit->SetValue(5);

  Label6 = Named(new TLabel(this, QStringLiteral("背景音乐")), "Label6");
  Label6->SetBounds(24, 190, 70, 20);
  FlatEdit1 = Named(new TEdit(this), "FlatEdit1");
  FlatEdit1->SetBounds(100, 187, 246, 24);
  FlatSpeedButton2 = Named(new TButton(this, QStringLiteral("打开")), "FlatSpeedButton2");
  FlatSpeedButton2->SetBounds(352, 187, 58, 24);

  FlatSpeedButton1 = Named(new TButton(this, QStringLiteral("导出屏保")), "FlatSpeedButton1");
  FlatSpeedButton1->SetBounds(236, 222, 84, 26);
  FlatSpeedButton3 = Named(new TButton(this, QStringLiteral("退出")), "FlatSpeedButton3");
  FlatSpeedButton3->SetBounds(326, 222, 84, 26);

  Exporter = std::make_unique<ScreenSaverExport>(
      context, sources,
      ScreenSaverExport::Controls{
          this,
          FlatComboBox1,
          {FlatRadioButton1, FlatRadioButton2, FlatRadioButton3, FlatRadioButton4},
          FlatSpinEdit,
          FlatEdit1});
  Importer = std::make_unique<ScreenSaverImport>(context, sources);

  FlatSpeedButton1->OnClick = [this] { FlatSpeedButton1Click(); };
  FlatSpeedButton2->OnClick = [this] { FlatSpeedButton2Click(); };
  FlatSpeedButton3->OnClick = [this] { FlatSpeedButton3Click(); };
  DragFrom(this);
  for (TLabel* label : {Label1, Label2, Label3, Label4, Label5, Label6}) {
    label->SetTransparent(true);
    DragFrom(label);
  }
}

void TScreenSafeForm::paintEvent(QPaintEvent* event) {
  TForm::paintEvent(event);
  // No window manager's title bar: a caption strip of its own, inside the border.
  QPainter p(this);
  p.fillRect(QRect(0, 0, width(), kTitleHeight).adjusted(1, 1, -1, 0), QColor(ToQRgb(kTitleBar)));
}

TScreenSafeForm::~TScreenSafeForm() = default;

void TScreenSafeForm::DragFrom(TControl<QWidget>* part) {
  part->OnMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
    if (button == Qt::LeftButton) StartMove();
  };
  part->OnMouseMove = [this](Qt::KeyboardModifiers, int, int) { FollowMove(); };
  part->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { EndMove(); };
}

void TScreenSafeForm::ShowSettings() {
  Exporter->Prepare();
}

void TScreenSafeForm::ImportShow() {
  Importer->Import();
}

void TScreenSafeForm::FlatSpeedButton1Click() {
  Exporter->Export();
}

void TScreenSafeForm::FlatSpeedButton2Click() {
  Exporter->ChooseMusic();
}

void TScreenSafeForm::FlatSpeedButton3Click() {
  Hide();
}
