#include "SpellPIcForm.h"

#include <QFontDatabase>

#include "PuzzlePicture.h"
#include "controls/Dialogs.h"
#include "core/WindowHost.h"

namespace {

// The count's face: a running-script face where one is installed, else a Kai (brush)
// face, else the program's own CJK font.
QFont CountFont(const QFont& base) {
  const QStringList installed = QFontDatabase::families();
  const char* const wanted[] = {
      "华文行楷",      "STXingkai",     "华文楷体",      "STKaiti",         "楷体",  "KaiTi",
      "AR PL UKai CN", "AR PL UKai TW", "AR PL UKai HK", "AR PL KaitiM GB", "TW-Kai"};
  QFont font = base;
  for (const char* name : wanted) {
    const QString family = QString::fromUtf8(name);
    if (installed.contains(family)) {
      font.setFamily(family);
      break;
    }
  }
  font.setPixelSize(19);
  return font;
}

const QStringList kInstructions = {
    QStringLiteral("为降低游戏难度,为玩家设置"), QStringLiteral("了图片位置互换功能,输入要"),
    QStringLiteral("互换位置的两幅图片的标号,"), QStringLiteral("(鼠标在该图片上停留一秒钟"),
    QStringLiteral("会显示其标号),点确定按钮,"), QStringLiteral("机会只有一次.")};

void Notice(const QString& text) {
  Dialogs::Message(nullptr, text, QStringLiteral("友情提示"), Dialogs::Icon::Warning);
}

}  // namespace

TSpellPIcForm::TSpellPIcForm(ViewerContext context)
    : TForm(nullptr, TForm::Kind::Own, true), Launcher(context, *this), host_(context.host) {
  setObjectName(QStringLiteral("TSpellPIcForm"));
  SetCaption(QStringLiteral("拼图游戏"));
  SetClientSize(600, 577);
  SetColor(kSkyBlue);
  CreateBoard();
  CreateGroups();
  OnClose = [this] { FormClose(); };
}

void TSpellPIcForm::CreateBoard() {
  scrboxSpellPic = new TScrollBox(this);
  scrboxSpellPic->setObjectName(QStringLiteral("scrboxSpellPic"));
  scrboxSpellPic->SetBounds(0, 0, 604, 454);
  scrboxSpellPic->SetColor(Colors::White);
  scrboxSpellPic->SetHorzScrollBarVisible(false);
  scrboxSpellPic->SetVertScrollBarVisible(false);

  // Made lowest first, so each lies above those made before it: Img1 above every other,
  // which the whole picture at the end relies on.
  const int stacking[] = {9, 10, 11, 4, 5, 6, 7, 8, 2, 3, 1};
  for (int k : stacking) {
    auto* piece = new TImage(scrboxSpellPic->Client());
    piece->setObjectName(QStringLiteral("Img%1").arg(k));
    piece->SetHint(QString::number(k));
    // Before the first game the pieces are empty and stand where a 3 x 3 game (and, for
    // 9 to 11, a 4 x 3 one) would put them.
    const int cells = k <= 8 ? 9 : 12;
    const QPoint origin = PuzzleBoard::SlotOrigin(cells, k);
    const QSize size = PuzzleBoard::PieceSize(cells);
    piece->SetBounds(origin.x(), origin.y(), size.width(), size.height());
    piece->OnMouseDown = [this, k](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
      ImgMouseDown(k, button, x, y);
    };
    piece->OnMouseMove = [this, k](Qt::KeyboardModifiers, int x, int y) { ImgMouseMove(k, x, y); };
    piece->OnMouseUp = [this, k](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
      ImgMouseUp(k, button, x, y);
    };
    pieces_[k] = piece;
  }
  TImage** named[] = {&Img1, &Img2, &Img3, &Img4,  &Img5, &Img6,
                      &Img7, &Img8, &Img9, &Img10, &Img11};
  for (int k = 1; k <= 11; ++k) *named[k - 1] = pieces_[k];

  Image1 = new TImage(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->SetBounds(0, 456, 160, 120);
  Image1->SetStretch(true);
}

void TSpellPIcForm::CreateGroups() {
  const QString groupStyle = QStringLiteral(
      "QGroupBox { border: 1px solid #5f8fbf; border-radius: 4px; margin-top: 8px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #1f4f7f; }");

  FlatGroupBox1 = new TGroupBox(this, QStringLiteral("拆分"));
  FlatGroupBox1->SetBounds(166, 457, 82, 117);
  FlatGroupBox1->setStyleSheet(groupStyle);
  frbtnNine = new TRadioButton(FlatGroupBox1, QStringLiteral("3 X 3"));
  frbtnNine->SetBounds(12, 30, 62, 22);
  frbtnTwelve = new TRadioButton(FlatGroupBox1, QStringLiteral("4 X 3"));
  frbtnTwelve->SetBounds(12, 70, 62, 22);
  for (TRadioButton* b : {frbtnNine, frbtnTwelve}) {
    b->setFocusPolicy(Qt::StrongFocus);
    b->SetCursor(TCursor::HandPoint);
  }
  frbtnNine->SetChecked(true);

  FlatGroupBox2 = new TGroupBox(this, QStringLiteral("显示"));
  FlatGroupBox2->SetBounds(254, 457, 342, 117);
  FlatGroupBox2->setStyleSheet(groupStyle);
  Label1 = new TLabel(FlatGroupBox2, QStringLiteral("步数:   "));
  Label1->SetTransparent(true);
  Label1->move(12, 26);
  Label2 = new TLabel(FlatGroupBox2);
  Label2->SetTransparent(true);
  Label2->SetAutoSize(false);
  Label2->setFont(CountFont(font()));
  Label2->SetFontColor(Colors::Maroon);
  Label2->SetBounds(52, 19, 72, 26);
  Label2->SetAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  fbtnStart = new TButton(FlatGroupBox2, QStringLiteral("开始"));
  fbtnStart->SetBounds(10, 52, 64, 24);
  fbtnExit = new TButton(FlatGroupBox2, QStringLiteral("退出"));
  fbtnExit->SetBounds(80, 52, 64, 24);
  FlatEdit1 = new TEdit(FlatGroupBox2);
  FlatEdit1->SetBounds(10, 84, 30, 24);
  FlatEdit2 = new TEdit(FlatGroupBox2);
  FlatEdit2->SetBounds(44, 84, 30, 24);
  for (TEdit* e : {FlatEdit1, FlatEdit2}) {
    e->SetMaxLength(2);
    e->setAlignment(Qt::AlignCenter);
  }
  fbtnChangePos = new TButton(FlatGroupBox2, QStringLiteral("确定"));
  fbtnChangePos->SetBounds(80, 84, 64, 24);
  fbtnChangePos->SetEnabled(false);

  FlatMemo1 = new TMemo(FlatGroupBox2);
  FlatMemo1->SetBounds(154, 15, 180, 96);
  FlatMemo1->SetReadOnly(true);
  // The six lines fit; a scroll bar would only take room from them.
  FlatMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FlatMemo1->SetColor(RGBColor(240, 246, 252));
  FlatMemo1->SetFontColor(Colors::Navy);
  QFont memoFont = font();
  memoFont.setPixelSize(12);
  FlatMemo1->setFont(memoFont);
  FlatMemo1->SetLines(kInstructions);

  fbtnStart->OnClick = [this] { fbtnStartClick(); };
  fbtnExit->OnClick = [this] { fbtnExitClick(); };
  fbtnChangePos->OnClick = [this] { fbtnChangePosClick(); };

  // The grid choice has the keyboard when the window first shows.
  frbtnNine->setFocus();
}

TImage* TSpellPIcForm::Piece(int k) const {
  return k >= 1 && k <= 11 ? pieces_[k] : nullptr;
}

void TSpellPIcForm::OpenGame() {
  Launcher.Run();
}

void TSpellPIcForm::TakeGamePicture(const Bitmap& picture) {
  Image1->GetPicture().Assign(picture);
}

void TSpellPIcForm::ShowOver(const QRect& frame) {
  CenterOn(frame);
  Show();
}

void TSpellPIcForm::fbtnStartClick() {
  const int cells = frbtnNine->Checked() ? 9 : 12;
  Game.Start(cells);
  fbtnChangePos->SetEnabled(Game.SwapAvailable);
  Label2->SetCaption(QString());

  // The game picture as it is now; a picture taken since the last start shows from here on.
  Bitmap source;
  if (const Graphic* g = Image1->GetPicture().GetGraphic()) source.Assign(*g);
  const QSize size = PuzzleBoard::PieceSize(cells);
  const int n = PuzzleBoard::PieceCount(cells);
  for (int k = 1; k <= 11; ++k) {
    TImage* piece = pieces_[k];
    piece->SetVisible(k <= n);
    if (k > n) continue;
    piece->SetBounds(piece->Left(), piece->Top(), size.width(), size.height());
    piece->GetPicture().Assign(PuzzlePicture::Piece(source, cells, k));
  }
  for (int s = 1; s <= n; ++s) {
    const QPoint origin = PuzzleBoard::SlotOrigin(cells, s);
    TImage* piece = pieces_[Game.Board[s]];
    piece->SetBounds(origin.x(), origin.y(), piece->Width(), piece->Height());
  }
}

void TSpellPIcForm::ImgMouseDown(int k, Qt::MouseButton button, int x, int y) {
  const TImage* piece = pieces_[k];
  Game.Press(k, button == Qt::LeftButton, QPoint(x, y), piece->pos());
}

void TSpellPIcForm::ImgMouseMove(int k, int x, int y) {
  if (!Game.PieceDragging) return;
  TImage* piece = pieces_[k];
  const QPoint to = Game.Drag(piece->pos(), QPoint(x, y));
  piece->SetBounds(to.x(), to.y(), piece->Width(), piece->Height());
}

void TSpellPIcForm::ImgMouseUp(int k, Qt::MouseButton, int, int) {
  TImage* piece = pieces_[k];
  const PuzzleBoard::Drop drop = Game.Release(piece->pos());
  if (!drop.held) return;
  piece->SetBounds(drop.position.x(), drop.position.y(), piece->Width(), piece->Height());
  if (!drop.committed) return;
  Label2->SetCaption(QString::number(Game.StepCount));
  if (drop.solved) ShowWinDisplay();
}

void TSpellPIcForm::fbtnChangePosClick() {
  int a = 0, b = 0;
  switch (Game.Swap(FlatEdit1->Text(), FlatEdit2->Text(), a, b)) {
    case PuzzleBoard::SwapResult::NotAvailable:
      return;
    case PuzzleBoard::SwapResult::NotInteger:
      Notice(QStringLiteral("图片的标号必须是整数!"));
      return;
    case PuzzleBoard::SwapResult::OutOfRange:
      Notice(QStringLiteral("输入的标号不合法"));
      return;
    case PuzzleBoard::SwapResult::SamePiece:
      Notice(QStringLiteral("互换的位置不能相同"));
      return;
    case PuzzleBoard::SwapResult::Swapped:
      break;
  }
  TImage* pieceA = pieces_[a];
  TImage* pieceB = pieces_[b];
  const QPoint atA = pieceA->pos(), atB = pieceB->pos();
  pieceB->SetBounds(atA.x(), atA.y(), pieceB->Width(), pieceB->Height());
  pieceA->SetBounds(atB.x(), atB.y(), pieceA->Width(), pieceA->Height());
  if (Game.Solved()) ShowWinDisplay();
  fbtnChangePos->SetEnabled(Game.SwapAvailable);
}

void TSpellPIcForm::fbtnExitClick() {
  host_.SetMainWindowVisible(true);
  Close();
}

void TSpellPIcForm::FormClose() {
  host_.SetMainWindowVisible(true);
}

void TSpellPIcForm::ShowWinDisplay() {
  Img1->SetBounds(Img1->Left(), Img1->Top(), PuzzlePicture::kWidth, PuzzlePicture::kHeight);
  if (const Graphic* whole = Image1->GetPicture().GetGraphic())
    Img1->GetPicture().Assign(*whole);
  else
    Img1->GetPicture().Clear();
  Dialogs::Message(nullptr, QStringLiteral("恭喜你,闯关成功"), QStringLiteral("恭喜"),
                   Dialogs::Icon::Warning);
}
