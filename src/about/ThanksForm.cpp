#include "ThanksForm.h"

#include <QPainter>
#include <QTextDocument>

namespace {
constexpr TColor kSkyBlue = RGBColor(0xA6, 0xCA, 0xF0);
constexpr QRgb kFrame = qRgb(0x4A, 0x7D, 0xB8);
constexpr int kEsc = 27;
}  // namespace

const QStringList& TThanksForm::Contributors() {
  // What the program links and renders with: the window toolkit, the JPEG codec, the
  // sound device and the decoders behind it, and the font of its Chinese texts.
  static const QStringList names = {QStringLiteral("Qt"),          QStringLiteral("libjpeg-turbo"),
                                    QStringLiteral("SDL"),         QStringLiteral("SDL_mixer"),
                                    QStringLiteral("mpg123"),      QStringLiteral("FluidSynth"),
                                    QStringLiteral("文泉驿微米黑")};
  return names;
}

TThanksForm::TThanksForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TThanksForm"));
  SetCaption(QStringLiteral("鸣谢"));
  SetClientSize(320, 267);
  SetColor(kSkyBlue);

  Label1 = new TLabel(
      this, QStringLiteral("感谢下列人员对本软件的技术、资金支持：") + QString(2, QChar(0x3000)));
  Label1->SetTransparent(true);
  Label1->SetFontColor(Colors::Navy);
  Label1->move(8, 14);

  FlatMemo1 = new TMemo(this);
  FlatMemo1->SetBounds(7, 40, 305, 217);
  FlatMemo1->SetReadOnly(true);
  // A list to read: selectable with the mouse, without a caret blinking in it.
  FlatMemo1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  FlatMemo1->document()->setDocumentMargin(8);
  // One entry a line: separated by commas, the last one ending with a full stop.
  QStringList lines = Contributors();
  for (qsizetype i = 0; i < lines.size(); ++i)
    lines[i] += i + 1 < lines.size() ? QStringLiteral("，") : QStringLiteral("。");
  FlatMemo1->SetLines(lines);

  SetKeyPreview(true);
  OnKeyDown = [this](int key, Qt::KeyboardModifiers) { FormKeyDown(key); };
  OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    FormMouseDown(b, x, y);
  };
  Label1->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    Label1MouseDown(b, x, y);
  };
}

// A thin frame, so that the borderless window stands apart from what lies beneath it.
void TThanksForm::paintEvent(QPaintEvent* event) {
  TForm::paintEvent(event);
  QPainter p(this);
  p.setPen(QColor(kFrame));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TThanksForm::FormMouseDown(Qt::MouseButton, int, int) {
  Close();
}

void TThanksForm::Label1MouseDown(Qt::MouseButton, int, int) {
  Close();
}

// Key preview: Esc closes the window whichever of its controls has the keyboard.
void TThanksForm::FormKeyDown(int key) {
  if (key == kEsc) Close();
}
