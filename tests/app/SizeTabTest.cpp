// The size tab as the user meets it: its start, the option buttons under the mouse, and
// applying a size typed into its fields.
#include "EditHelpers.h"
#include "FormsTest.h"
#include "edit/ResizeCrop.h"

class SizeTabTest : public FormsTest {
 protected:
  static void ShowSizeTab() {
    MainForm->Commands.PictureProperties.Run();
    MainForm->PageControl1->SetActivePageIndex(1);
    ProcessEvents();
  }
  static void Click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    ProcessEvents();
  }
  static void Type(TEdit* field, const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
  }
};

TEST_F(SizeTabTest, StartsReadyToResize) {
  TMainForm* m = MainForm;
  struct Option {
    TRadioButton* button;
    TGroupBox* box;
    const char* caption;
    bool checked, enabled;
  };
  const Option options[] = {
      {m->frbClip, m->FlatGroupBox1, "任意剪裁", false, true},
      {m->frbZoom, m->FlatGroupBox1, "任意缩放", true, true},
      {m->frbLeft, m->FlatGroupBox2, "裁左边", false, false},
      {m->frbRight, m->FlatGroupBox2, "裁右边", false, false},
      {m->frbTop, m->FlatGroupBox3, "裁上边", false, false},
      {m->frbBottom, m->FlatGroupBox3, "裁下边", false, false},
      {m->frbAround, m->FlatGroupBox4, "裁周边", true, false},
  };
  for (const Option& o : options) {
    SCOPED_TRACE(o.caption);
    EXPECT_EQ(o.button->Caption(), QString::fromUtf8(o.caption));
    EXPECT_EQ(o.button->Checked(), o.checked);
    EXPECT_EQ(o.button->Enabled(), o.enabled);
    // Each box is its own group of options.
    EXPECT_EQ(o.button->parentWidget(), o.box);
  }
  struct Box {
    TGroupBox* box;
    const char* caption;
    bool enabled;
  };
  const Box boxes[] = {{m->FlatGroupBox1, "大小", true},
                       {m->FlatGroupBox2, "宽", false},
                       {m->FlatGroupBox3, "高", false},
                       {m->FlatGroupBox4, "其他", false}};
  for (const Box& b : boxes) {
    SCOPED_TRACE(b.caption);
    EXPECT_EQ(b.box->Caption(), QString::fromUtf8(b.caption));
    EXPECT_EQ(b.box->Enabled(), b.enabled);
  }
  EXPECT_TRUE(m->fedtWidth->Text().isEmpty());
  EXPECT_TRUE(m->fedtHeight->Text().isEmpty());
  EXPECT_EQ(m->Label9->Caption(), QStringLiteral("宽度:"));
  EXPECT_EQ(m->Label10->Caption(), QStringLiteral("高度:"));
  EXPECT_EQ(m->Label11->Caption(), QStringLiteral("像素"));
  EXPECT_EQ(m->Label12->Caption(), QStringLiteral("像素"));
  EXPECT_EQ(m->fbtnUseSize->Caption(), QStringLiteral("应用"));
  EXPECT_TRUE(m->fbtnUseSize->Enabled());

  // Everything fits on the tab of the 153-pixel panel, nothing overlapping the next.
  ShowSizeTab();
  const QRect page = m->tbsControl->rect();
  QWidget* const rows[] = {m->FlatGroupBox1, m->fedtWidth, m->fedtHeight, m->fbtnUseSize};
  int lastBottom = -1;
  for (QWidget* w : rows) {
    EXPECT_TRUE(page.contains(w->geometry())) << qPrintable(w->objectName());
    EXPECT_GT(w->y(), lastBottom);
    lastBottom = w->geometry().bottom();
  }
  for (TLabel* label : {m->Label9, m->Label10, m->Label11, m->Label12})
    EXPECT_TRUE(page.contains(label->geometry())) << qPrintable(label->Caption());
  for (const Option& o : options)
    EXPECT_TRUE(o.box->rect().contains(o.button->geometry())) << o.caption;
}

// Real clicks: a button excludes only the others of its own box.
TEST_F(SizeTabTest, ClicksChooseTheOptions) {
  TMainForm* m = MainForm;
  ShowSizeTab();
  struct Step {
    TRadioButton* button;
    bool sidesEnabled;
    const char* checked;  // clip, zoom, left, right, top, bottom, around
  };
  const Step steps[] = {
      {m->frbClip, true, "1000001"},   {m->frbLeft, true, "1010000"},
      {m->frbBottom, true, "1010010"}, {m->frbRight, true, "1001010"},
      {m->frbAround, true, "1000001"}, {m->frbTop, true, "1000100"},
      {m->frbZoom, false, "0100100"},
  };
  TRadioButton* const order[] = {m->frbClip, m->frbZoom,   m->frbLeft,  m->frbRight,
                                 m->frbTop,  m->frbBottom, m->frbAround};
  for (const Step& s : steps) {
    SCOPED_TRACE(qPrintable(s.button->Caption()));
    Click(s.button);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(order[i]->Checked(), s.checked[i] == '1') << i;
    EXPECT_EQ(m->FlatGroupBox2->Enabled(), s.sidesEnabled);
    EXPECT_EQ(m->frbAround->Enabled(), s.sidesEnabled);
  }
}

TEST_F(SizeTabTest, TheButtonAppliesWhatWasTyped) {
  const QImage pattern = TestFiles::Pattern(400, 300);
  EditHelpers::ShowFile(files, QStringLiteral("crop.bmp"), pattern);
  ShowSizeTab();
  Click(MainForm->frbClip);
  Type(MainForm->fedtWidth, QStringLiteral("100"));
  Type(MainForm->fedtHeight, QStringLiteral("100"));
  Click(MainForm->fbtnUseSize);

  EXPECT_EQ(EditHelpers::Shown(), pattern.copy(150, 100, 100, 100));
  EXPECT_EQ(MainForm->imgMain->Width(), 100);
  EXPECT_EQ(MainForm->lblSize->Caption(), QStringLiteral("100 X 100"));
  EXPECT_EQ(MainForm->StatusBar->Text(3), QStringLiteral("100 X 100"));
  EXPECT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("长100%,宽100%"));
  EXPECT_TRUE(dialogs.messages.empty());

  Type(MainForm->fedtWidth, QStringLiteral("abc"));
  Click(MainForm->fbtnUseSize);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].owner, MainForm);
  EXPECT_EQ(dialogs.messages[0].text, ResizeCrop::kSizeMessage);
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("友情提示"));
  EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::None);
  EXPECT_EQ(EditHelpers::Shown(), pattern.copy(150, 100, 100, 100));
}
