// The integer field: what typing leaves in it, what its value is, how the spin keys step
// and what leaving the field does to a value outside the range.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include "controls/TSpinEdit.h"

namespace {

void Key(TSpinEdit& edit, int key, const QString& text = QString(),
         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(&edit, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(&edit, &release);
}

// Replaces the field's text by typing: select all, then the characters one by one.
void Type(TSpinEdit& edit, const QString& text) {
  Key(edit, Qt::Key_A, QString(), Qt::ControlModifier);
  Key(edit, Qt::Key_Delete);
  for (QChar c : text) Key(edit, c.unicode(), QString(c));
}

void LeaveField(TSpinEdit& edit) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&edit, &out);
}

class TSpinEditTest : public ::testing::Test {
 protected:
  TSpinEditTest() {
    edit.SetMinMax(1, 60);
    edit.SetValue(8);
    edit.OnChange = [this] { texts << edit.Text(); };
  }
  TSpinEdit edit;
  QStringList texts;  // the text at every OnChange
};

}  // namespace

TEST_F(TSpinEditTest, TypedTextIsKeptUntilTheFieldIsLeft) {
  const struct {
    const char* typed;
    const char* text;  // in the field while it has the focus
    int value;
    const char* left;  // after leaving the field
    int valueLeft;
  } cases[] = {
      {"3", "3", 3, "3", 3},
      {"", "", 1, "", 1},
      {"0", "0", 0, "1", 1},
      {"75", "75", 75, "60", 60},
      {"-5", "-5", -5, "1", 1},
      {"60", "60", 60, "60", 60},
      {"-", "-", 1, "-", 1},
      {"4a7", "47", 47, "47", 47},
      {"99999999999", "9999999999", 1, "9999999999", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    edit.SetValue(8);
    Type(edit, QString::fromLatin1(c.typed));
    EXPECT_EQ(edit.Text(), QString::fromLatin1(c.text));
    EXPECT_EQ(edit.Value(), c.value);
    texts.clear();
    LeaveField(edit);
    EXPECT_EQ(edit.Text(), QString::fromLatin1(c.left));
    EXPECT_EQ(edit.Value(), c.valueLeft);
    // Clamping on leaving is one more change of the text; leaving alone is none.
    EXPECT_EQ(texts.size(), qsizetype(QString::fromLatin1(c.text) != QString::fromLatin1(c.left)));
  }
}

TEST_F(TSpinEditTest, SpinKeysStepByOneWithinTheRange) {
  const struct {
    const char* start;
    Qt::Key key;
    const char* after;
  } cases[] = {
      {"8", Qt::Key_Up, "9"},   {"8", Qt::Key_Down, "7"}, {"60", Qt::Key_Up, "60"},
      {"1", Qt::Key_Down, "1"}, {"59", Qt::Key_Up, "60"}, {"75", Qt::Key_Down, "60"},
      {"0", Qt::Key_Up, "1"},   {"", Qt::Key_Up, "2"},    {"75", Qt::Key_Up, "60"},
      {"0", Qt::Key_Down, "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << (c.key == Qt::Key_Up ? " up" : " down"));
    Type(edit, QString::fromLatin1(c.start));
    Key(edit, c.key);
    EXPECT_EQ(edit.Text(), QString::fromLatin1(c.after));
  }
}

TEST_F(TSpinEditTest, EveryChangeOfTheTextIsReported) {
  Type(edit, QStringLiteral("75"));
  // Select all and delete empties the field, then the two digits.
  EXPECT_EQ(texts, (QStringList{"", "7", "75"}));
  texts.clear();
  edit.SetValue(75);  // the same text: no change
  EXPECT_TRUE(texts.isEmpty());
  edit.SetValue(12);
  EXPECT_EQ(texts, QStringList{"12"});
}
