// The size tab: the option buttons, resizing the display, cropping from the chosen sides,
// and the sizes that are refused before anything changes.
#include <functional>
#include <memory>

#include "RecordingDialogs.h"
#include "TestFiles.h"
#include "ViewerFixture.h"
#include "controls/TEdit.h"
#include "controls/TGroupBox.h"
#include "controls/TPictureDialog.h"
#include "controls/TRadioButton.h"
#include "edit/PictureEditor.h"
#include "edit/ResizeCrop.h"
#include "edit/SaveCommands.h"

namespace {
constexpr int kViewW = 450, kViewH = 506;  // the fixture's view
}  // namespace

class ResizeCropTest : public ViewerFixture {
 protected:
  ResizeCropTest() {
    // The tab as the main window builds it: each group box is one group of options.
    auto* size = new TGroupBox(&window, QStringLiteral("大小"));
    c.frbClip = new TRadioButton(size, QStringLiteral("任意剪裁"));
    c.frbZoom = new TRadioButton(size, QStringLiteral("任意缩放"));
    c.FlatGroupBox2 = new TGroupBox(size, QStringLiteral("宽"));
    c.frbLeft = new TRadioButton(c.FlatGroupBox2, QStringLiteral("裁左边"));
    c.frbRight = new TRadioButton(c.FlatGroupBox2, QStringLiteral("裁右边"));
    c.FlatGroupBox3 = new TGroupBox(size, QStringLiteral("高"));
    c.frbTop = new TRadioButton(c.FlatGroupBox3, QStringLiteral("裁上边"));
    c.frbBottom = new TRadioButton(c.FlatGroupBox3, QStringLiteral("裁下边"));
    c.FlatGroupBox4 = new TGroupBox(size, QStringLiteral("其他"));
    c.frbAround = new TRadioButton(c.FlatGroupBox4, QStringLiteral("裁周边"));
    c.fedtWidth = new TEdit(&window);
    c.fedtHeight = new TEdit(&window);
    c.frbZoom->SetChecked(true);
    c.frbAround->SetChecked(true);
    for (QWidget* w : Sides()) w->setEnabled(false);

    sizer = std::make_unique<ResizeCrop>(context, c, &window);
    c.frbClip->OnClick = [this] { sizer->ClipClick(); };
    c.frbZoom->OnClick = [this] { sizer->ZoomClick(); };
    c.frbAround->OnClick = [this] { sizer->AroundClick(); };
    for (TRadioButton* side : {c.frbLeft, c.frbRight, c.frbTop, c.frbBottom})
      side->OnClick = [this] { sizer->SideClick(); };
  }

  // The eight controls that only cropping uses.
  std::vector<QWidget*> Sides() const {
    return {c.FlatGroupBox2, c.FlatGroupBox3, c.FlatGroupBox4, c.frbLeft,
            c.frbRight,      c.frbTop,        c.frbBottom,     c.frbAround};
  }

  // The picture at its own size, as a load leaves it.
  void Show(const QImage& image) {
    ShowBitmap(Bitmap(image));
    zoom.RealSize();
  }
  // The displayed picture at a size of the test's choosing, as zooming leaves it.
  void ShowAtSize(int w, int h) {
    area.imgMain->SetAutoSize(false);
    area.imgMain->SetStretch(true);
    area.imgMain->SetBounds(0, 0, w, h);
    area.CenterPicture();
  }
  QImage Shown() const {
    const Graphic* graphic = area.imgMain->GetPicture().GetGraphic();
    return graphic ? graphic->ToImage().convertToFormat(QImage::Format_RGB32) : QImage();
  }
  QImage Work() const { return state.WorkBitmap.Image().convertToFormat(QImage::Format_RGB32); }

  // Crop with the given sides ("" none; l, r, t, b, a for around), or resize.
  void ChooseCrop(const char* sides) {
    c.frbClip->SetChecked(true);
    for (TRadioButton* side : {c.frbLeft, c.frbRight, c.frbTop, c.frbBottom, c.frbAround})
      side->SetChecked(false);
    for (const char* s = sides; *s; ++s) {
      switch (*s) {
        case 'l':
          c.frbLeft->SetChecked(true);
          break;
        case 'r':
          c.frbRight->SetChecked(true);
          break;
        case 't':
          c.frbTop->SetChecked(true);
          break;
        case 'b':
          c.frbBottom->SetChecked(true);
          break;
        case 'a':
          c.frbAround->SetChecked(true);
          break;
      }
    }
  }
  void ChooseResize() { c.frbZoom->SetChecked(true); }
  void Apply(const QString& w, const QString& h) {
    c.fedtWidth->SetText(w);
    c.fedtHeight->SetText(h);
    sizer->Apply();
  }

  ResizeCrop::Controls c{};
  RecordingDialogs dialogs;
  PictureEditor editor{context, magnifier, selection};
  std::unique_ptr<ResizeCrop> sizer;
};

TEST_F(ResizeCropTest, OptionButtonsEnableAndExcludeEachOther) {
  struct Step {
    const char* what;
    TRadioButton* ResizeCrop::Controls::*button;
    bool sidesEnabled;
    const char* checked;  // of left, right, top, bottom, around: '1' checked
  };
  const Step steps[] = {
      {"crop enables the sides", &ResizeCrop::Controls::frbClip, true, "00001"},
      {"a side unchecks around", &ResizeCrop::Controls::frbLeft, true, "10000"},
      {"a vertical side joins the horizontal one", &ResizeCrop::Controls::frbBottom, true, "10010"},
      {"the other horizontal side takes over", &ResizeCrop::Controls::frbRight, true, "01010"},
      {"the other vertical side takes over", &ResizeCrop::Controls::frbTop, true, "01100"},
      {"around unchecks the four sides", &ResizeCrop::Controls::frbAround, true, "00001"},
      {"top alone", &ResizeCrop::Controls::frbTop, true, "00100"},
      {"resize disables them and keeps the choice", &ResizeCrop::Controls::frbZoom, false, "00100"},
  };
  for (QWidget* w : Sides()) EXPECT_FALSE(w->isEnabled());
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    (c.*s.button)->SetChecked(true);
    for (QWidget* w : Sides()) EXPECT_EQ(w->isEnabled(), s.sidesEnabled);
    TRadioButton* order[] = {c.frbLeft, c.frbRight, c.frbTop, c.frbBottom, c.frbAround};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(order[i]->Checked(), s.checked[i] == '1') << i;
    // Crop and resize exclude each other, and only each other.
    EXPECT_NE(c.frbClip->Checked(), c.frbZoom->Checked());
  }
}

TEST_F(ResizeCropTest, ResizeChangesTheDisplayOnlyAndSaveThisSizeWritesIt) {
  const QImage pattern = TestFiles::Pattern(400, 300);
  Show(pattern);
  ChooseResize();
  Apply(QStringLiteral("200"), QStringLiteral("300"));

  EXPECT_EQ(Bounds(), QRect((kViewW - 200) / 2, (kViewH - 300) / 2, 200, 300));
  EXPECT_EQ(Shown(), pattern);
  EXPECT_EQ(Work(), pattern);
  EXPECT_EQ(state.PicWidth, 400);
  EXPECT_EQ(state.PicHeight, 300);
  EXPECT_EQ(area.StatusBar->Text(PictureArea::kResolution), QStringLiteral("200 X 300"));
  EXPECT_EQ(area.lblSize->Caption(), QStringLiteral("200 X 300"));
  EXPECT_EQ(ZoomText(), QStringLiteral("长50%,宽100%"));
  EXPECT_EQ(state.ZoomIndex, 12);
  EXPECT_EQ(CheckedDisplayMode(), &commands.RealSize);
  EXPECT_TRUE(dialogs.messages.empty());

  TestFiles files;
  TPictureDialog saveDialog(&window, TPictureDialog::Mode::Save);
  SaveCommands saver(context, editor, selection, &saveDialog);
  dialogs.fileAnswers.push_back({true, files.Path(QStringLiteral("squeezed")), 1});
  saver.SaveThisSize();
  const QImage saved(files.Path(QStringLiteral("squeezed.bmp")));
  EXPECT_EQ(saved.size(), QSize(200, 300));
}

TEST_F(ResizeCropTest, CropKeepsTheRegionOfTheChosenSides) {
  struct Case {
    const char* sides;
    QPoint from;  // where the kept region starts in the 400 x 300 picture
  };
  const Case cases[] = {
      {"a", {150, 100}}, {"lt", {300, 200}}, {"rb", {0, 0}},
      {"l", {300, 0}},   {"t", {0, 200}},    {"", {0, 0}},
  };
  const QImage pattern = TestFiles::Pattern(400, 300);
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string("sides: ") + k.sides);
    Show(pattern);
    ChooseCrop(k.sides);
    Apply(QStringLiteral("100"), QStringLiteral("100"));

    const QImage region = pattern.copy(k.from.x(), k.from.y(), 100, 100);
    EXPECT_EQ(Shown(), region);
    EXPECT_EQ(Work(), region);
    EXPECT_EQ(state.PicWidth, 100);
    EXPECT_EQ(state.PicHeight, 100);
    EXPECT_EQ(Bounds(), QRect((kViewW - 100) / 2, (kViewH - 100) / 2, 100, 100));
    EXPECT_EQ(area.StatusBar->Text(PictureArea::kResolution), QStringLiteral("100 X 100"));
    EXPECT_EQ(ZoomText(), QStringLiteral("长100%,宽100%"));
    // The crop is the new reference: restore brightness comes back to it.
    editor.Brighter();
    EXPECT_NE(Shown(), region);
    editor.RestoreBrightness();
    EXPECT_EQ(Shown(), region);
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ResizeCropTest, CropAtAZoomStepAsksForDisplayedPixels) {
  const QImage pattern = TestFiles::Pattern(400, 300);
  Show(pattern);
  ShowAtSize(200, 150);  // 50 %
  state.ZoomIndex = 8;
  ChooseCrop("a");
  Apply(QStringLiteral("100"), QStringLiteral("75"));

  EXPECT_EQ(Shown(), pattern.copy(100, 75, 200, 150));
  EXPECT_EQ(state.PicWidth, 200);
  EXPECT_EQ(state.PicHeight, 150);
  EXPECT_EQ(Bounds().size(), QSize(100, 75));
  EXPECT_EQ(area.StatusBar->Text(PictureArea::kResolution), QStringLiteral("100 X 75"));
  EXPECT_EQ(ZoomText(), QStringLiteral("长50%,宽50%"));
  EXPECT_EQ(state.ZoomIndex, 8);
}

// Where the picture does not reach, the crop is white; nothing is read outside the picture.
TEST_F(ResizeCropTest, CropLargerThanThePictureIsWhiteAroundIt) {
  struct Case {
    const char* sides;
    QPoint at;  // where the old picture lands in the 500 x 400 crop
  };
  const Case cases[] = {{"a", {50, 50}}, {"lt", {100, 100}}, {"rb", {0, 0}}, {"lb", {100, 0}}};
  const QImage pattern = TestFiles::Pattern(400, 300);
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string("sides: ") + k.sides);
    Show(pattern);
    ChooseCrop(k.sides);
    Apply(QStringLiteral("500"), QStringLiteral("400"));

    QImage expected(500, 400, QImage::Format_RGB32);
    expected.fill(Qt::white);
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x)
        expected.setPixel(k.at.x() + x, k.at.y() + y, pattern.pixel(x, y));
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(Work(), expected);
    EXPECT_EQ(Bounds().size(), QSize(500, 400));
  }
}

TEST_F(ResizeCropTest, EmptyFieldsKeepTheDisplayedSize) {
  const QImage pattern = TestFiles::Pattern(400, 300);
  for (bool crop : {false, true}) {
    SCOPED_TRACE(crop ? "crop" : "resize");
    Show(pattern);
    ShowAtSize(200, 150);
    const QRect before = Bounds();
    if (crop)
      ChooseCrop("a");
    else
      ChooseResize();
    Apply(QString(), QString());
    EXPECT_EQ(Bounds(), before);
    EXPECT_EQ(Shown(), pattern);
    EXPECT_EQ(Work(), pattern);
    EXPECT_EQ(state.PicWidth, 400);
    EXPECT_EQ(area.StatusBar->Text(PictureArea::kResolution), QStringLiteral("200 X 150"));
    EXPECT_EQ(ZoomText(), QStringLiteral("长50%,宽50%"));
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

// A size that cannot be applied shows the message and changes nothing: not even a picture
// replaced by an empty one before a division by zero.
TEST_F(ResizeCropTest, SizesThatCannotBeAppliedChangeNothing) {
  struct Case {
    const char* what;
    bool crop;
    int shownW, shownH;  // of the 400 x 300 picture
    const char *w, *h;
  };
  const Case cases[] = {
      {"letters", false, 400, 300, "abc", "100"},
      {"a fraction", true, 400, 300, "100", "12.5"},
      {"zero, resize", false, 400, 300, "0", "100"},
      {"zero, crop", true, 400, 300, "100", "0"},
      {"negative, resize", false, 400, 300, "-5", "100"},
      {"negative, crop", true, 400, 300, "-5", "-5"},
      {"one displayed pixel at 5000 % is no picture pixel", true, 20000, 15000, "1", "1"},
      {"wider than a control can be, resize", false, 400, 300, "99999999", "100"},
      {"wider than a control can be, crop", true, 400, 300, "100", "99999999"},
      {"more pixels than a picture may have", true, 400, 300, "20000", "20000"},
      {"beyond 64 bits", false, 400, 300, "99999999999999999999", "1"},
  };
  const QImage pattern = TestFiles::Pattern(400, 300);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Show(pattern);
    ShowAtSize(k.shownW, k.shownH);
    area.ShowDisplaySize();
    area.SetZoomText(100);
    if (k.crop)
      ChooseCrop("a");
    else
      ChooseResize();
    dialogs.messages.clear();
    const QRect before = Bounds();
    Apply(QString::fromUtf8(k.w), QString::fromUtf8(k.h));

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].owner, &window);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("长度和宽度必须输入整数!"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("友情提示"));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::None);
    EXPECT_EQ(Shown(), pattern);
    EXPECT_EQ(Work(), pattern);
    EXPECT_EQ(state.PicWidth, 400);
    EXPECT_EQ(state.PicHeight, 300);
    EXPECT_EQ(Bounds(), before);
    const QString size = QStringLiteral("%1 X %2").arg(k.shownW).arg(k.shownH);
    EXPECT_EQ(area.lblSize->Caption(), size);
    EXPECT_EQ(area.StatusBar->Text(PictureArea::kResolution), size);
    EXPECT_EQ(ZoomText(), QStringLiteral("100%"));
  }
}

TEST_F(ResizeCropTest, MagnifierAndSelectionGoOffFirst) {
  struct Case {
    const char* what;
    bool magnifier;
    const char* w;  // "abc": refused, yet the modes are off
  };
  const Case cases[] = {
      {"magnifier", true, "200"},
      {"selection", false, "200"},
      {"magnifier, refused size", true, "abc"},
      {"selection, refused size", false, "abc"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Show(TestFiles::Pattern(400, 300));
    if (k.magnifier)
      commands.Magnifier.Run();
    else
      commands.SelectionMode.Run();
    ASSERT_TRUE(state.MagnifierOn || commands.SelectionMode.Checked());
    ChooseResize();
    Apply(QString::fromUtf8(k.w), QStringLiteral("100"));
    EXPECT_FALSE(state.MagnifierOn);
    EXPECT_FALSE(commands.Magnifier.Checked());
    EXPECT_FALSE(area.scrboxMagnifier->Visible());
    EXPECT_FALSE(commands.SelectionMode.Checked());
    if (QByteArray(k.w) == "200") {
      EXPECT_EQ(Bounds().size(), QSize(200, 100));
    }
  }
}

// A GIF, no picture, or a picture that nothing decoded: the command does not apply.
TEST_F(ResizeCropTest, ApplyDoesNothingWhereItDoesNotApply) {
  struct Case {
    const char* what;
    std::function<void()> setUp;
    bool crop;
    bool readsFields;  // a size that is not a number is still refused
  };
  const Case cases[] = {
      {"a GIF",
       [this] {
         ShowPicture(0, 0, ".gif");
         area.imgMain->GetPicture().Clear();
       },
       false, false},
      {"no picture shown",
       [this] {
         Show(TestFiles::Pattern(40, 30));
         area.imgMain->SetVisible(false);
       },
       true, false},
      {"a metafile, crop",
       [this] {
         ShowPicture(105, 105, ".emf");
         area.imgMain->GetPicture().Clear();
       },
       true, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    k.setUp();
    if (k.crop)
      ChooseCrop("a");
    else
      ChooseResize();
    const QRect before = Bounds();
    const int picW = state.PicWidth;
    const QString zoomText = ZoomText();
    Apply(QStringLiteral("50"), QStringLiteral("40"));
    EXPECT_EQ(Bounds(), before);
    EXPECT_EQ(state.PicWidth, picW);
    EXPECT_EQ(ZoomText(), zoomText);
    EXPECT_TRUE(area.imgMain->GetPicture().Empty() || Shown().size() == QSize(40, 30));
    EXPECT_TRUE(dialogs.messages.empty());
    Apply(QStringLiteral("abc"), QString());
    EXPECT_EQ(dialogs.messages.size(), k.readsFields ? 1u : 0u);
    dialogs.messages.clear();
  }
}
