// The drop-down list: nothing chosen until the user or the code chooses, positions outside
// the items choosing none, and OnChange for the user's changes only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include "controls/TComboBox.h"

namespace {

const QStringList kEffects = {"普通方式", "推拉", "水平交错", "垂直交错", "雨滴", "百叶窗", "随机"};

// A key the user presses on the closed list, delivered to the control itself.
void Press(TComboBox& box, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&box, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(&box, &release);
}

}  // namespace

TEST(TComboBox, ChoosingByCode) {
  TComboBox box;
  int changes = 0;
  box.OnChange = [&] { ++changes; };
  EXPECT_EQ(box.ItemIndex(), -1);
  box.SetItems(kEffects);
  EXPECT_EQ(box.Items(), kEffects);
  EXPECT_EQ(box.ItemIndex(), -1);
  EXPECT_EQ(box.Text(), "");

  struct Step {
    int set, index;
    const char* text;
  };
  const Step steps[] = {{4, 4, "雨滴"},     {0, 0, "普通方式"}, {6, 6, "随机"},     {-1, -1, ""},
                        {3, 3, "垂直交错"}, {7, -1, ""},        {2, 2, "水平交错"}, {-2, -1, ""}};
  for (const Step& s : steps) {
    box.SetItemIndex(s.set);
    EXPECT_EQ(box.ItemIndex(), s.index) << s.set;
    EXPECT_EQ(box.Text(), QString::fromUtf8(s.text)) << s.set;
  }

  // Adding keeps the choice, and none stays none; new items end the list.
  box.SetItemIndex(1);
  box.AddItem("新");
  EXPECT_EQ(box.ItemIndex(), 1);
  box.SetItemIndex(-1);
  box.AddItem("更新");
  EXPECT_EQ(box.ItemIndex(), -1);
  EXPECT_EQ(box.Items().size(), 9);
  EXPECT_EQ(box.Items().back(), "更新");
  // New items: nothing chosen.
  box.SetItemIndex(3);
  box.SetItems({"a", "b"});
  EXPECT_EQ(box.ItemIndex(), -1);
  box.Clear();
  EXPECT_TRUE(box.Items().isEmpty());
  EXPECT_EQ(box.ItemIndex(), -1);
  // An empty list adding its first item still chooses none.
  box.AddItem("only");
  EXPECT_EQ(box.ItemIndex(), -1);

  EXPECT_EQ(changes, 0);
}

TEST(TComboBox, UserChangesRunOnChange) {
  TComboBox box;
  box.SetItems(kEffects);
  box.SetItemIndex(2);
  std::vector<int> seen;
  box.OnChange = [&] { seen.push_back(box.ItemIndex()); };
  Press(box, Qt::Key_Down);
  Press(box, Qt::Key_Down);
  Press(box, Qt::Key_Up);
  EXPECT_EQ(seen, (std::vector<int>{3, 4, 3}));
  Press(box, Qt::Key_End);
  Press(box, Qt::Key_End);  // already there: no change, no event
  EXPECT_EQ(seen, (std::vector<int>{3, 4, 3, 6}));
  EXPECT_EQ(box.Text(), "随机");
  // The wheel turns through the items too.
  QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&box, &wheel);
  EXPECT_EQ(seen.back(), 5);
  EXPECT_EQ(box.ItemIndex(), 5);
}
