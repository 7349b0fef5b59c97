#include "GetIconForm.h"

#include "controls/Dialogs.h"

namespace {
// The classic desktop's active-caption gradient colour: Linux desktops have no such
// system colour to take it from.
constexpr TColor kCaptionGradient = RGBColor(166, 202, 240);
}  // namespace

TGetIconForm::TGetIconForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TGetIconForm"));
  SetClientSize(227, 157);
  SetColor(kCaptionGradient);
  SetBorderColor(RGBColor(0, 64, 128));

  Label1 = new TLabel(this, QStringLiteral("本工具可提取EXE,DLL文件中的图标"));
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->SetTransparent(true);
  Label1->SetBounds(12, 16, 203, 20);
  Label1->SetAlignment(Qt::AlignCenter);

  fbtnOpen = new TButton(this, QStringLiteral("打开"));
  fbtnOpen->setObjectName(QStringLiteral("fbtnOpen"));
  fbtnOpen->SetBounds(24, 52, 72, 24);
  fbtnSave = new TButton(this, QStringLiteral("保存"));
  fbtnSave->setObjectName(QStringLiteral("fbtnSave"));
  fbtnSave->SetBounds(24, 84, 72, 24);
  fbtnExit = new TButton(this, QStringLiteral("退出"));
  fbtnExit->setObjectName(QStringLiteral("fbtnExit"));
  fbtnExit->SetBounds(24, 116, 72, 24);

  icoImage = new TImage(this);
  icoImage->setObjectName(QStringLiteral("icoImage"));
  icoImage->SetBounds(120, 69, 32, 32);
  icoImage->SetTransparent(true);

  Extraction = std::make_unique<IconExtraction>(this, icoImage);

  fbtnOpen->OnClick = [this] { fbtnOpenClick(); };
  fbtnSave->OnClick = [this] { fbtnSaveClick(); };
  fbtnExit->OnClick = [this] { fbtnExitClick(); };
}

TGetIconForm::~TGetIconForm() = default;

void TGetIconForm::ShowDialog() {
  if (parentWidget()) CenterOn(parentWidget());
  Dialogs::ShowModal(this);
}

void TGetIconForm::fbtnOpenClick() {
  Extraction->Open();
}

void TGetIconForm::fbtnSaveClick() {
  Extraction->Save();
}

void TGetIconForm::fbtnExitClick() {
  Hide();
}
