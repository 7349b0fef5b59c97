#include "AboutForm.h"

#include <QDesktopServices>
#include <QPainter>
#include <QUrl>

#include "controls/SvgImage.h"

namespace {
constexpr TColor kLightGreen = RGBColor(0xE3, 0xF4, 0xDF);
constexpr QRgb kFrame = qRgb(0x6F, 0xA8, 0x7C);

TLabel* CentredLabel(QWidget* parent, int y, const QString& text, TColor color) {
  auto* label = new TLabel(parent, text);
  label->SetTransparent(true);
  label->SetFontColor(color);
  label->move((parent->width() - label->Width()) / 2, y);
  return label;
}

// After a change of font the label keeps its middle where it was.
void KeepCentred(TLabel* label) {
  QWidget* parent = label->parentWidget();
  label->move((parent->width() - label->Width()) / 2, label->Top());
}
}  // namespace

const QString TAboutForm::kMailAddress = QStringLiteral("picora@example.org");
const QString TAboutForm::kHomePage = QStringLiteral("https://picora.example.org/");

TAboutForm::TAboutForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TAboutForm"));
  SetCaption(QStringLiteral("关于"));
  SetClientSize(368, 245);
  SetColor(kLightGreen);

  Panel1 = new TPanel(this);
  Panel1->SetBounds(0, 0, 368, 41);
  Panel1->SetColor(Colors::White);
  Image1 = new TImage(Panel1);
  Image1->SetBounds(0, 1, 367, 39);
  Image1->SetStretch(true);
  Image1->GetPicture().Assign(
      Bitmap(RenderSvg(QStringLiteral(":/skin/about_banner.svg"), QSize(367, 39))));

  Label2 = new TLabel(this, QStringLiteral("Picora图片浏览器"));
  QFont title = Label2->font();
  title.setPixelSize(16);
  Label2->setFont(title);
  Label2->SetTransparent(true);
  Label2->SetFontColor(Colors::Blue);
  Label2->move((width() - Label2->Width()) / 2, 68);

  Label3 = CentredLabel(this, 102, QStringLiteral("版本:  2.5"), Colors::Black);
  Label5 = CentredLabel(this, 132, QStringLiteral("Picora 开发组"), Colors::Black);
  Label1 = CentredLabel(this, 168, kMailAddress, Colors::Navy);
  Label4 = CentredLabel(this, 198, kHomePage, Colors::Blue);
  for (TLabel* link : {Label1, Label4}) {
    SetLinkLook(link, false);
    link->SetCursor(TCursor::HandPoint);
    link->setMouseTracking(true);
  }
  setMouseTracking(true);

  OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    FormMouseDown(b, x, y);
  };
  OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) { FormMouseMove(x, y); };
  Label1->OnClick = [this] { Label1Click(); };
  Label1->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) { Label1MouseMove(x, y); };
  Label4->OnClick = [this] { Label4Click(); };
  Label4->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) { Label4MouseMove(x, y); };
}

// A thin frame, so that the borderless box stands apart from what lies beneath it.
void TAboutForm::paintEvent(QPaintEvent* event) {
  TForm::paintEvent(event);
  QPainter p(this);
  p.setPen(QColor(kFrame));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TAboutForm::SetLinkLook(TLabel* label, bool underline) {
  QFont f = label->font();
  if (f.bold() && f.underline() == underline) return;
  f.setBold(true);
  f.setUnderline(underline);
  label->setFont(f);
  KeepCentred(label);
}

// Presses on the labels and the banner stay with them; only the background closes.
void TAboutForm::FormMouseDown(Qt::MouseButton, int, int) {
  Close();
}

void TAboutForm::FormMouseMove(int x, int y) {
  // Moves over the labels come here too, passed on by them; only the background counts.
  if (childAt(x, y)) return;
  SetLinkLook(Label1, false);
  SetLinkLook(Label4, false);
}

void TAboutForm::Label1Click() {
  QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + kMailAddress));
}

void TAboutForm::Label1MouseMove(int, int) {
  SetLinkLook(Label1, true);
}

void TAboutForm::Label4Click() {
  QDesktopServices::openUrl(QUrl(kHomePage));
}

void TAboutForm::Label4MouseMove(int, int) {
  SetLinkLook(Label4, true);
}
