// The game window below the main window: its controls, the layout a start makes, the
// pieces dragged with synthetic mouse events, the swap by number and the win display.
#include <QGuiApplication>

#include "GameFixture.h"

using SpellPIcFormTest = GameFixture;

namespace {
const QStringList kInstructions = {"为降低游戏难度,为玩家设置", "了图片位置互换功能,输入要",
                                   "互换位置的两幅图片的标号,", "(鼠标在该图片上停留一秒钟",
                                   "会显示其标号),点确定按钮,", "机会只有一次."};
}  // namespace

TEST_F(SpellPIcFormTest, ControlsAtFirst) {
  EXPECT_EQ(form.size(), QSize(600, 577));
  EXPECT_EQ(form.Color(), RGBColor(166, 202, 240));
  EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
  // A window of its own while the main window is hidden: no owner, not a tool window.
  EXPECT_EQ(form.windowType(), Qt::Window);
  EXPECT_EQ(form.parentWidget(), nullptr);
  EXPECT_FALSE(form.testAttribute(Qt::WA_QuitOnClose));
  EXPECT_FALSE(form.isVisible());

  EXPECT_EQ(form.scrboxSpellPic->geometry(), QRect(0, 0, 604, 454));
  EXPECT_EQ(form.scrboxSpellPic->Color(), Colors::White);
  EXPECT_FALSE(form.scrboxSpellPic->HorzScrollBarVisible());
  EXPECT_FALSE(form.scrboxSpellPic->VertScrollBarVisible());
  EXPECT_EQ(form.Image1->geometry(), QRect(0, 456, 160, 120));
  EXPECT_TRUE(form.Image1->Stretch());

  EXPECT_EQ(form.FlatGroupBox1->Caption(), "拆分");
  EXPECT_EQ(form.frbtnNine->Caption(), "3 X 3");
  EXPECT_EQ(form.frbtnTwelve->Caption(), "4 X 3");
  EXPECT_TRUE(form.frbtnNine->Checked());
  EXPECT_FALSE(form.frbtnTwelve->Checked());
  EXPECT_EQ(form.focusWidget(), form.frbtnNine);
  EXPECT_EQ(form.FlatGroupBox2->Caption(), "显示");
  EXPECT_EQ(form.Label1->Caption(), "步数:   ");
  EXPECT_EQ(form.Label2->Caption(), "");
  EXPECT_EQ(form.Label2->FontColor(), Colors::Maroon);
  EXPECT_EQ(form.Label2->font().pixelSize(), 19);
  EXPECT_EQ(form.fbtnStart->Caption(), "开始");
  EXPECT_EQ(form.fbtnExit->Caption(), "退出");
  EXPECT_EQ(form.fbtnChangePos->Caption(), "确定");
  EXPECT_FALSE(form.fbtnChangePos->Enabled());
  for (TEdit* e : {form.FlatEdit1, form.FlatEdit2}) {
    EXPECT_EQ(e->MaxLength(), 2);
    EXPECT_EQ(e->Text(), "");
  }
  EXPECT_TRUE(form.FlatMemo1->ReadOnly());
  EXPECT_EQ(form.FlatMemo1->Lines(), kInstructions);

  // Hints are the numbers; the pieces are stacked Img9 lowest ... Img1 highest, and
  // hold nothing yet.
  std::vector<QString> order;
  for (QObject* child : form.scrboxSpellPic->Client()->children())
    if (auto* piece = qobject_cast<QWidget*>(child)) order.push_back(piece->objectName());
  const std::vector<QString> stacking = {"Img9", "Img10", "Img11", "Img4", "Img5", "Img6",
                                         "Img7", "Img8",  "Img2",  "Img3", "Img1"};
  EXPECT_EQ(order, stacking);
  for (int k = 1; k <= 11; ++k) {
    EXPECT_EQ(form.Piece(k)->Hint(), QString::number(k));
    EXPECT_TRUE(form.Piece(k)->GetPicture().Empty());
    EXPECT_FALSE(form.Piece(k)->Stretch());
  }
  EXPECT_EQ(form.Piece(1), form.Img1);
  EXPECT_EQ(form.Piece(11), form.Img11);
  EXPECT_EQ(Slots(), std::vector<int>(12, 0));
}

TEST_F(SpellPIcFormTest, LayoutAfterStart) {
  form.TakeGamePicture(Coordinates(600, 450));
  struct Case {
    int cells;
    QSize size;
  };
  // 4 x 3, then 3 x 3: the second start hides the pieces the first one showed.
  for (const Case& c : {Case{12, {150, 150}}, Case{9, {200, 150}}}) {
    form.Label2->SetCaption("5");
    form.fbtnChangePos->SetEnabled(false);
    (c.cells == 9 ? form.frbtnNine : form.frbtnTwelve)->SetChecked(true);
    form.fbtnStartClick();
    const int n = c.cells - 1;
    EXPECT_EQ(form.Game.CellCount, c.cells);
    EXPECT_EQ(form.Game.Board[c.cells], -1);
    for (int s = c.cells + 1; s <= 12; ++s) EXPECT_EQ(form.Game.Board[s], 0);
    EXPECT_EQ(form.Label2->Caption(), "");
    EXPECT_TRUE(form.fbtnChangePos->Enabled());
    EXPECT_EQ(form.Game.StepCount, 0);
    for (int k = 1; k <= 11; ++k)
      EXPECT_EQ(form.Piece(k)->Visible(), k <= n) << c.cells << "/" << k;
    for (int s = 1; s <= n; ++s) {
      const TImage* piece = form.Piece(form.Game.Board[s]);
      EXPECT_EQ(piece->geometry(), QRect(PuzzleBoard::SlotOrigin(c.cells, s), c.size))
          << c.cells << " slot " << s;
    }
    // Each piece shows its own home rectangle, whatever slot it stands in.
    for (int k = 1; k <= n; ++k) {
      const TRect home = PuzzleBoard::PictureRect(c.cells, k);
      EXPECT_EQ(Source(form.Piece(k), 0, 0), QPoint(home.Left, home.Top)) << c.cells << "/" << k;
      EXPECT_EQ(Source(form.Piece(k), c.size.width() - 1, c.size.height() - 1),
                QPoint(home.Right - 1, home.Bottom - 1))
          << c.cells << "/" << k;
    }
  }
  // The grid choice alone changes nothing until the next start.
  form.frbtnTwelve->SetChecked(true);
  EXPECT_EQ(form.Game.CellCount, 9);
  EXPECT_FALSE(form.Img9->Visible());
}

TEST_F(SpellPIcFormTest, ANewGamePictureShowsOnlyAfterStart) {
  form.TakeGamePicture(Coordinates(600, 450));
  form.fbtnStartClick();
  const QImage before = form.Img1->GetPicture().GetGraphic()->ToImage();
  Bitmap other(600, 450);
  other.SetBrushColor(RGBColor(10, 20, 30));
  other.FillRect(Rect(0, 0, 600, 450));
  form.TakeGamePicture(other);
  EXPECT_EQ(form.Img1->GetPicture().GetGraphic()->ToImage(), before);
  form.fbtnStartClick();
  EXPECT_EQ(form.Img1->GetPicture().GetGraphic()->ToImage().pixel(5, 5), qRgb(10, 20, 30));
}

// Each row drags one piece with the left button unless it says otherwise, through mouse
// moves (board pixels), and releases it.
TEST_F(SpellPIcFormTest, DragTable) {
  struct Case {
    const char* what;
    int cells;
    std::vector<int> layout;
    int piece;
    std::vector<QPoint> moves;
    QPoint placed;  // where the piece stands after the release
    bool committed;
    Qt::MouseButton button = Qt::LeftButton;
  };
  const std::vector<int> middle = {1, 2, 3, 4, -1, 6, 7, 8, 5};
  const std::vector<int> middle12 = {1, 2, 3, 4, 5, -1, 7, 8, 9, 10, 11, 6};
  const Case cases[] = {
      {"down 75", 9, middle, 2, {{0, 40}, {0, 35}}, {201, 0}, false},
      {"down 76", 9, middle, 2, {{0, 40}, {0, 36}}, {201, 150}, true},
      {"up 75", 9, middle, 8, {{0, -75}}, {201, 301}, false},
      {"up 76", 9, middle, 8, {{0, -76}}, {201, 151}, true},
      {"right 100 on 3x3", 9, middle, 4, {{60, 0}, {40, 0}}, {0, 151}, false},
      {"right 101 on 3x3", 9, middle, 4, {{60, 0}, {41, 0}}, {200, 151}, true},
      {"left 101 on 3x3", 9, middle, 6, {{-101, 0}}, {201, 151}, true},
      {"right 75 on 4x3", 12, middle12, 5, {{75, 0}}, {0, 151}, false},
      {"right 76 on 4x3", 12, middle12, 5, {{76, 0}}, {150, 151}, true},
      {"up 76 on 4x3", 12, middle12, 10, {{0, -76}}, {151, 151}, true},
      // The vertical part of a diagonal drag is all that counts for a vertical move.
      {"diagonal", 9, middle, 2, {{90, 90}}, {201, 150}, true},
      {"sideways only", 9, middle, 2, {{150, 0}}, {201, 0}, false},
      {"away from the blank", 9, middle, 2, {{0, -60}, {0, -60}}, {201, 0}, false},
      // Beyond the far side: held at the end, and the release commits.
      {"beyond the far side", 9, middle, 2, {{0, 100}, {0, 100}, {0, 100}}, {201, 150}, true},
      {"right button", 9, middle, 2, {{0, 100}}, {201, 0}, false, Qt::RightButton},
      {"middle button", 9, middle, 2, {{0, 100}}, {201, 0}, false, Qt::MiddleButton},
      {"not a neighbour", 9, middle, 1, {{0, 100}, {100, 0}}, {0, 0}, false},
      // Slot 3 ends the first row, the blank starts the second: no neighbours.
      {"row wrap", 9, {1, 2, 3, -1, 5, 6, 7, 8, 4}, 3, {{150, 0}}, {401, 0}, false},
      {"row wrap back", 9, {1, 2, -1, 4, 5, 6, 7, 8, 3}, 4, {{-150, 0}}, {0, 151}, false},
      {"row wrap on 4x3",
       12,
       {1, 2, 3, 4, -1, 6, 7, 8, 9, 10, 11, 5},
       4,
       {{-150, 0}},
       {451, 0},
       false},
  };
  for (const Case& c : cases) {
    LayOut(c.cells, c.layout);
    const std::vector<int> before = Slots();
    Drag(c.piece, c.moves, c.button);
    EXPECT_EQ(form.Piece(c.piece)->pos(), c.placed) << c.what;
    EXPECT_FALSE(form.Game.PieceDragging) << c.what;
    EXPECT_EQ(form.Game.StepCount, c.committed ? 1 : 0) << c.what;
    EXPECT_EQ(form.Label2->Caption(), c.committed ? "1" : "") << c.what;
    std::vector<int> expected = before;
    if (c.committed)
      std::swap(expected[size_t(form.Game.ClickSlot - 1)],
                expected[size_t(form.Game.BlankSlot - 1)]);
    EXPECT_EQ(Slots(), expected) << c.what;
    if (c.committed) EXPECT_EQ(form.Game.Board[form.Game.BlankSlot], c.piece) << c.what;
    EXPECT_TRUE(dialogs.messages.empty()) << c.what;
  }
}

TEST_F(SpellPIcFormTest, WhileHeldThePieceFollowsTheMouse) {
  LayOut(9, {1, 2, 3, 4, -1, 6, 7, 8, 5});
  const QPoint grab(20, 30);
  const QPoint mouse = form.Img2->pos() + grab;  // in the board
  auto moveTo = [&](int dy) {
    Send(form.Img2, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
         mouse + QPoint(0, dy) - form.Img2->pos());
    return form.Img2->pos();
  };
  Send(form.Img2, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, grab);
  EXPECT_TRUE(form.Game.PieceDragging);
  EXPECT_EQ(moveTo(50), QPoint(201, 50));
  // One event may carry it past the far end; the next one puts it back there.
  EXPECT_EQ(moveTo(250), QPoint(201, 250));
  EXPECT_EQ(moveTo(251), QPoint(201, 150));
  EXPECT_EQ(moveTo(120), QPoint(201, 120));
  EXPECT_EQ(form.Game.StepCount, 0);
  Send(form.Img2, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
       mouse + QPoint(0, 120) - form.Img2->pos());
  EXPECT_EQ(form.Img2->pos(), QPoint(201, 150));
  EXPECT_EQ(form.Game.StepCount, 1);
}

// A second button pressed while a piece is held must not make the piece's place halfway
// through the drag its new start: the release would leave it off the grid.
TEST_F(SpellPIcFormTest, AnotherButtonDuringADragKeepsTheStart) {
  LayOut(9, {1, 2, 3, 4, -1, 6, 7, 8, 5});
  const QPoint grab(20, 30);
  const QPoint mouse = form.Img2->pos() + grab;
  Send(form.Img2, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, grab);
  Send(form.Img2, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
       mouse + QPoint(0, 60) - form.Img2->pos());
  ASSERT_EQ(form.Img2->pos(), QPoint(201, 60));
  const QPoint local = mouse + QPoint(0, 60) - form.Img2->pos();
  Send(form.Img2, QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton,
       local);
  Send(form.Img2, QEvent::MouseButtonRelease, Qt::RightButton, Qt::LeftButton, local);
  // Short of half a step: back to the start of the drag, on the grid.
  EXPECT_EQ(form.Img2->pos(), QPoint(201, 0));
  EXPECT_EQ(form.Game.StepCount, 0);
  Send(form.Img2, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, local);
  EXPECT_EQ(form.Img2->pos(), QPoint(201, 0));
  // And the next drag starts from there.
  Drag(2, {{0, 80}});
  EXPECT_EQ(form.Img2->pos(), QPoint(201, 150));
}

TEST_F(SpellPIcFormTest, CountsEveryCommittedMove) {
  LayOut(9, {1, 2, 3, 4, -1, 6, 7, 8, 5});
  Drag(2, {{0, 150}});   // 2 down: blank at slot 2
  Drag(2, {{0, -150}});  // and back up: blank at slot 5 again
  Drag(2, {{0, 20}});    // short: no move
  Drag(6, {{-200, 0}});  // 6 left: blank at slot 6
  EXPECT_EQ(form.Game.StepCount, 3);
  EXPECT_EQ(form.Label2->Caption(), "3");
  EXPECT_EQ(Slots(), (std::vector<int>{1, 2, 3, 4, 6, -1, 7, 8, 5, 0, 0, 0}));
  // Down and back up again lands on the slot's origin; right then left from 401 too.
  EXPECT_EQ(form.Img2->pos(), QPoint(201, 0));
  EXPECT_EQ(form.Img6->pos(), QPoint(201, 151));
}

TEST_F(SpellPIcFormTest, BeforeTheFirstGameNothingMoves) {
  Drag(1, {{150, 0}});
  Drag(5, {{0, -150}});
  EXPECT_EQ(form.Img1->pos(), QPoint(0, 0));
  EXPECT_EQ(form.Img5->pos(), QPoint(201, 151));
  EXPECT_EQ(form.Game.StepCount, 0);
  EXPECT_EQ(form.Label2->Caption(), "");
  EXPECT_EQ(Slots(), std::vector<int>(12, 0));
}

// A committed move lands one step from where the piece started, not on the slot's
// origin: from slot 2 to slot 1 on 3 x 3 it stands at x = 1.
TEST_F(SpellPIcFormTest, CommittedMovesDriftFromTheSlotOrigins) {
  LayOut(9, {-1, 2, 3, 4, 5, 6, 7, 8, 1});
  Drag(2, {{-101, 0}});
  EXPECT_EQ(form.Img2->pos(), QPoint(1, 0));
  Drag(2, {{101, 0}});
  EXPECT_EQ(form.Img2->pos(), QPoint(201, 0));
  // Up from the second row to the first: 151 - 150.
  Drag(4, {{0, -76}});
  EXPECT_EQ(form.Img4->pos(), QPoint(0, 1));
  EXPECT_EQ(form.Game.StepCount, 3);
}

TEST_F(SpellPIcFormTest, WinByDrag) {
  form.TakeGamePicture(Coordinates(600, 450));
  LayOut(9, {1, 2, 3, 4, 5, 6, -1, 7, 8});
  Drag(7, {{-101, 0}});  // 7 into slot 7, standing at x = 1
  EXPECT_TRUE(dialogs.messages.empty());
  Drag(8, {{-101, 0}});  // 8 into slot 8: solved
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].owner, nullptr);
  EXPECT_EQ(dialogs.messages[0].title, "恭喜");
  EXPECT_EQ(dialogs.messages[0].text, "恭喜你,闯关成功");
  EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Warning);
  // Img1 covers the board with the whole picture, where it stands.
  EXPECT_EQ(form.Img1->geometry(), QRect(0, 0, 600, 450));
  EXPECT_EQ(Source(form.Img1, 0, 0), QPoint(0, 0));
  EXPECT_EQ(Source(form.Img1, 599, 449), QPoint(599, 449));
  EXPECT_EQ(form.Game.StepCount, 2);
  EXPECT_TRUE(form.fbtnChangePos->Enabled());  // the chance was not used

  // Afterwards the mouse finds Img1 wherever it goes on the board, and Img1 cannot move.
  form.show();
  for (int s = 1; s <= 9; ++s)
    EXPECT_EQ(
        form.scrboxSpellPic->Client()->childAt(PuzzleBoard::SlotOrigin(9, s) + QPoint(50, 50)),
        form.Img1)
        << s;
  const std::vector<int> solved = Slots();
  Drag(1, {{0, 150}, {150, 0}, {0, -300}, {-300, 0}});
  EXPECT_EQ(form.Img1->geometry(), QRect(0, 0, 600, 450));
  EXPECT_EQ(Slots(), solved);
  EXPECT_EQ(form.Game.StepCount, 2);
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(SpellPIcFormTest, WinByDragWhereImg1StandsOffItsOrigin) {
  form.TakeGamePicture(Coordinates(600, 450));
  LayOut(12, {-1, 1, 2, 3, 5, 6, 7, 4, 9, 10, 11, 8});
  // 1 left: slot 1 at x = 1; then 2 and 3 left, 4 up, 8 up.
  Drag(1, {{-76, 0}});
  Drag(2, {{-76, 0}});
  Drag(3, {{-76, 0}});
  Drag(4, {{0, -76}});
  Drag(8, {{0, -76}});
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(form.Img1->geometry(), QRect(1, 0, 600, 450));
  EXPECT_EQ(form.Label2->Caption(), "5");
}

TEST_F(SpellPIcFormTest, SwapTable) {
  struct Case {
    int cells;
    const char *a, *b;
    const char* message;  // nullptr: swapped
  };
  const Case cases[] = {
      {9, "", "", "图片的标号必须是整数!"},
      {9, "", "3", "图片的标号必须是整数!"},
      {9, "a", "3", "图片的标号必须是整数!"},
      {9, "3", "b", "图片的标号必须是整数!"},
      {9, "-1", "3", "输入的标号不合法"},
      {9, "0", "3", "输入的标号不合法"},
      {9, "9", "3", "输入的标号不合法"},
      {9, "3", "11", "输入的标号不合法"},
      {12, "12", "3", "输入的标号不合法"},
      {12, "9", "3", nullptr},
      {12, "11", "10", nullptr},
      {9, "3", "3", "互换的位置不能相同"},
      {12, "7", "7", "互换的位置不能相同"},
      {9, "2", "7", nullptr},
  };
  for (const Case& c : cases) {
    dialogs.messages.clear();
    LayOut(c.cells, c.cells == 9 ? std::vector<int>{3, 1, 2, 7, 8, 6, 5, 4, -1}
                                 : std::vector<int>{11, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, -1});
    Drag(form.Game.Board[c.cells - 1], {{76, 0}, {76, 0}});  // one move, counted
    ASSERT_EQ(form.Game.StepCount, 1);
    const std::vector<int> before = Slots();
    std::vector<QPoint> positions(12);
    for (int k = 1; k <= 11; ++k) positions[size_t(k)] = form.Piece(k)->pos();
    form.FlatEdit1->SetText(c.a);
    form.FlatEdit2->SetText(c.b);
    form.fbtnChangePosClick();
    EXPECT_EQ(form.Game.StepCount, 1);
    EXPECT_EQ(form.Label2->Caption(), "1");
    if (c.message) {
      ASSERT_EQ(dialogs.messages.size(), 1u) << c.a << "/" << c.b;
      EXPECT_EQ(dialogs.messages[0].text, c.message) << c.a << "/" << c.b;
      EXPECT_EQ(dialogs.messages[0].title, "友情提示");
      EXPECT_EQ(dialogs.messages[0].owner, nullptr);
      EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Warning);
      EXPECT_TRUE(form.fbtnChangePos->Enabled()) << c.a << "/" << c.b;
      EXPECT_EQ(Slots(), before);
      for (int k = 1; k <= 11; ++k) EXPECT_EQ(form.Piece(k)->pos(), positions[size_t(k)]);
      continue;
    }
    EXPECT_TRUE(dialogs.messages.empty()) << c.a << "/" << c.b;
    EXPECT_FALSE(form.fbtnChangePos->Enabled());
    const int a = QString(c.a).toInt(), b = QString(c.b).toInt();
    EXPECT_EQ(form.Piece(a)->pos(), positions[size_t(b)]);
    EXPECT_EQ(form.Piece(b)->pos(), positions[size_t(a)]);
    for (int s = 1; s <= 12; ++s) {
      const int was = before[size_t(s - 1)];
      EXPECT_EQ(form.Game.Board[s], was == a ? b : was == b ? a : was) << s;
    }
  }
}

TEST_F(SpellPIcFormTest, WinBySwap) {
  form.TakeGamePicture(Coordinates(600, 450));
  LayOut(12, {1, 2, 5, 4, 3, 6, 7, 8, 9, 10, 11, -1});
  form.FlatEdit1->SetText("5");
  form.FlatEdit2->SetText("3");
  form.fbtnChangePosClick();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "恭喜");
  EXPECT_EQ(dialogs.messages[0].text, "恭喜你,闯关成功");
  EXPECT_EQ(dialogs.messages[0].owner, nullptr);
  EXPECT_EQ(form.Img1->geometry(), QRect(0, 0, 600, 450));
  EXPECT_EQ(Source(form.Img1, 300, 200), QPoint(300, 200));
  EXPECT_FALSE(form.fbtnChangePos->Enabled());
  EXPECT_EQ(form.Game.StepCount, 0);
  // No move after it either.
  Drag(1, {{0, 300}});
  EXPECT_EQ(form.Img1->pos(), QPoint(0, 0));
  EXPECT_EQ(form.Game.StepCount, 0);
}

TEST_F(SpellPIcFormTest, TheSwapComesBackWithEachStart) {
  LayOut(9, {3, 1, 2, 7, 8, 6, 5, 4, -1});
  form.FlatEdit1->SetText("1");
  form.FlatEdit2->SetText("2");
  form.fbtnChangePosClick();
  EXPECT_FALSE(form.fbtnChangePos->Enabled());
  // Run by code with the button off, it does nothing.
  const std::vector<int> after = Slots();
  form.fbtnChangePosClick();
  EXPECT_EQ(Slots(), after);
  EXPECT_TRUE(dialogs.messages.empty());
  form.fbtnStartClick();
  EXPECT_TRUE(form.fbtnChangePos->Enabled());
}
