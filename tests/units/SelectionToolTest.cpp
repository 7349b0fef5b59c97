// Drawing the selection rectangle with the mouse and moving it over the picture.
#include "TestFiles.h"
#include "ViewerFixture.h"

class SelectionToolTest : public ViewerFixture {
 protected:
  void ShowPattern(int w, int h) {
    ShowBitmap(Bitmap(TestFiles::Pattern(w, h)));
    zoom.RealSize();
  }
  // The rectangle in picture pixels.
  QRect Selected() const { return selection.SelectionRect().ToQRect(); }
  void Draw(QPoint from, QPoint to) {
    mouse.MouseDown(Qt::LeftButton, from.x(), from.y());
    mouse.MouseMove(to.x(), to.y());
    mouse.MouseUp(Qt::LeftButton, to.x(), to.y());
  }
  // Cut, copy, paste and save.
  std::vector<Command*> SelectionCommands() {
    return {&commands.Cut, &commands.Copy, &commands.Paste, &commands.SaveSelection};
  }
  void SetSelectionCommandsEnabled(bool on) {
    for (Command* c : SelectionCommands()) c->SetEnabled(on);
  }
};

TEST_F(SelectionToolTest, DrawingKeepsThePressPointAsTopLeft) {
  ShowPattern(300, 200);
  selection.Toggle();
  struct Case {
    QPoint press, release;
    QRect expected;
  };
  const Case cases[] = {
      {{50, 40}, {20, 10}, {50, 40, 30, 30}},  // up and left grows down and right
      {{50, 40}, {90, 45}, {50, 40, 40, 5}},
      {{7, 8}, {7, 8}, {7, 8, 1, 1}},  // a click leaves 1 x 1
      {{250, 150}, {400, 300}, {250, 150, 150, 150}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.press.x() << "," << c.press.y());
    SetSelectionCommandsEnabled(false);
    mouse.MouseDown(Qt::LeftButton, c.press.x(), c.press.y());
    EXPECT_TRUE(selection.Drawing);
    EXPECT_TRUE(area.shpRect->Visible());
    EXPECT_EQ(Selected(), QRect(c.press, QSize(1, 1)));
    if (c.release != c.press) mouse.MouseMove(c.release.x(), c.release.y());
    mouse.MouseUp(Qt::LeftButton, c.release.x(), c.release.y());
    EXPECT_FALSE(selection.Drawing);
    EXPECT_EQ(Selected(), c.expected);
    for (Command* c : SelectionCommands()) EXPECT_TRUE(c->Enabled());
    EXPECT_FALSE(mouse.DragScrolling);
  }
}

TEST_F(SelectionToolTest, MovingStopsAtThePictureEdges) {
  ShowPattern(300, 200);
  selection.Toggle();
  Draw({50, 40}, {80, 60});  // 30 x 20 at (50, 40)
  SetSelectionCommandsEnabled(false);

  // Grabbed at (10, 10) inside the rectangle; each move gives the pointer inside the
  // rectangle where it stands now, and the expected rectangle in picture pixels.
  struct Step {
    QPoint pointer;
    QPoint expected;
  };
  const Step steps[] = {
      {{15, 13}, {55, 43}},     // follows
      {{-50, -50}, {-5, -17}},  // one move can overshoot the left and top edges
      {{5, 5}, {0, 0}},         // further out puts it on the edges
      {{25, 30}, {15, 20}},     // and it moves back in
      {{400, 10}, {405, 20}},   // overshoots the right edge
      {{20, 10}, {270, 20}},    // further out puts it back on the edge
      {{5, 10}, {265, 20}},     // and it moves back in
      {{10, 300}, {265, 310}},  // the bottom edge the same way
      {{10, 20}, {265, 180}},
  };
  selection.ShapeMouseDown(Qt::LeftButton, 10, 10);
  EXPECT_TRUE(selection.Moving);
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << s.pointer.x() << "," << s.pointer.y());
    selection.ShapeMouseMove(s.pointer.x(), s.pointer.y());
    EXPECT_EQ(Selected().topLeft(), s.expected);
    EXPECT_EQ(Selected().size(), QSize(30, 20));
  }
  selection.ShapeMouseUp(Qt::LeftButton, 10, 10);
  EXPECT_FALSE(selection.Moving);
  for (Command* c : SelectionCommands()) EXPECT_TRUE(c->Enabled());
  selection.ShapeMouseMove(50, 50);
  EXPECT_EQ(Selected().topLeft(), QPoint(265, 180));
}
