// The memo's lines and its read-only state, and the edit's length limit, driven by keys
// sent to the controls themselves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "controls/TEdit.h"
#include "controls/TMemo.h"

namespace {

void Type(QWidget& w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&w, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&w, &release);
  }
}

}  // namespace

TEST(TMemo, LinesInAndOut) {
  TMemo memo;
  EXPECT_TRUE(memo.Lines().isEmpty());
  const QStringList lines = {"为降低游戏难度,为玩家设置", "", "机会只有一次."};
  memo.SetLines(lines);
  EXPECT_EQ(memo.Lines(), lines);
  EXPECT_EQ(memo.Text(), "为降低游戏难度,为玩家设置\n\n机会只有一次.");
  memo.SetLines({});
  EXPECT_TRUE(memo.Lines().isEmpty());
}

TEST(TMemo, ReadOnlyTakesNoTyping) {
  TMemo memo;
  memo.SetLines({"ab"});
  memo.SetReadOnly(true);
  EXPECT_TRUE(memo.ReadOnly());
  Type(memo, "xyz");
  EXPECT_EQ(memo.Lines(), QStringList{"ab"});
  // Its text can still be selected and copied.
  EXPECT_TRUE(memo.textInteractionFlags() & Qt::TextSelectableByMouse);

  memo.SetReadOnly(false);
  Type(memo, "c");
  EXPECT_EQ(memo.Text().size(), 3);
}

TEST(TEdit, MaxLengthLimitsTyping) {
  struct Case {
    int maxLength;
    const char* typed;
    const char* text;
    int reported;
  };
  const Case cases[] = {
      {2, "123", "12", 2}, {2, "-1", "-1", 2}, {1, "ab", "a", 1}, {0, "12345", "12345", 0}};
  for (const Case& c : cases) {
    TEdit edit;
    edit.SetMaxLength(c.maxLength);
    EXPECT_EQ(edit.MaxLength(), c.reported);
    Type(edit, c.typed);
    EXPECT_EQ(edit.Text(), c.text) << c.maxLength << " " << c.typed;
  }
}
