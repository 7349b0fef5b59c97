// Quarter turn, mirrors and the tone filters on the displayed picture.
#include <algorithm>
#include <vector>

#include "TestFiles.h"
#include "ViewerFixture.h"
#include "edit/PictureEditor.h"

namespace {

// Colours of a picture made pixel by pixel; rows top first.
QImage FromRows(const std::vector<std::vector<QRgb>>& rows) {
  QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, rows[size_t(y)][size_t(x)]);
  return image;
}

QImage Solid(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

QRgb Grey(int v) {
  return qRgb(v, v, v);
}

}  // namespace

class PictureEditorTest : public ViewerFixture {
 protected:
  // The picture on display as a load leaves it: at its own size, centred, and the
  // reference copy.
  void Show(const QImage& image) {
    ShowBitmap(Bitmap(image));
    zoom.RealSize();
  }
  // The displayed picture at a size of the test's choosing, as zooming leaves it.
  void ShowAtSize(int w, int h) {
    area.imgMain->SetAutoSize(false);
    area.imgMain->SetStretch(true);
    area.imgMain->SetBounds(0, 0, w, h);
  }
  QImage Shown() const {
    const Graphic* graphic = area.imgMain->GetPicture().GetGraphic();
    return graphic ? graphic->ToImage().convertToFormat(QImage::Format_RGB32) : QImage();
  }

  PictureEditor editor{context, magnifier, selection};
};

TEST_F(PictureEditorTest, QuarterTurnClockwise) {
  const QRgb a = qRgb(255, 0, 0), b = qRgb(0, 255, 0), c = qRgb(0, 0, 255), d = qRgb(10, 20, 30),
             e = qRgb(40, 50, 60), f = qRgb(70, 80, 90);
  Show(FromRows({{a, b, c}, {d, e, f}}));
  editor.Rotate90();

  const QImage expected = FromRows({{d, a}, {e, b}, {f, c}});
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(state.WorkBitmap.Image().convertToFormat(QImage::Format_RGB32), expected);
  EXPECT_EQ(state.PicWidth, 2);
  EXPECT_EQ(state.PicHeight, 3);
  EXPECT_TRUE(state.PicIsBitmap);
}

TEST_F(PictureEditorTest, TurnKeepsTheZoomScaleAndCentres) {
  struct Case {
    const char* name;
    int picW, picH;
    int shownW, shownH;  // 0: the picture's own size
    int zoomIndex;
    const char* zoomText;
  };
  const Case cases[] = {
      {"50 %", 300, 200, 150, 100, 8, "50%"},
      {"100 %", 300, 200, 0, 0, 12, "100%"},
      {"100 %, larger than the view, scrolled", 800, 640, 0, 0, 12, "100%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Show(TestFiles::Pattern(c.picW, c.picH));
    if (c.shownW) ShowAtSize(c.shownW, c.shownH);
    state.ZoomIndex = c.zoomIndex;
    area.StatusBar->SetText(5, QString::fromUtf8(c.zoomText));
    area.scrboxBack->SetHorzPosition(40);
    area.scrboxBack->SetVertPosition(30);
    const bool fitWidthWasOn = commands.FitWidth.Checked();

    editor.Rotate90();

    const int w = c.shownW ? c.shownH : c.picH, h = c.shownW ? c.shownW : c.picW;
    EXPECT_EQ(area.imgMain->Width(), w);
    EXPECT_EQ(area.imgMain->Height(), h);
    const int viewW = area.scrboxBack->Width(), viewH = area.scrboxBack->Height();
    EXPECT_EQ(area.imgMain->Left(), viewW > w ? (viewW - w) / 2 : 0);
    EXPECT_EQ(area.imgMain->Top(), viewH > h ? (viewH - h) / 2 : 0);
    EXPECT_EQ(area.scrboxBack->HorzPosition(), 0);
    EXPECT_EQ(area.scrboxBack->VertPosition(), 0);
    EXPECT_EQ(state.ZoomIndex, c.zoomIndex);
    EXPECT_EQ(area.StatusBar->Text(5), QString::fromUtf8(c.zoomText));
    EXPECT_EQ(commands.FitWidth.Checked(), fitWidthWasOn);
    const QString size = QStringLiteral("%1 X %2").arg(w).arg(h);
    EXPECT_EQ(area.StatusBar->Text(3), size);
    EXPECT_EQ(area.lblSize->Caption(), size);
    EXPECT_EQ(state.PicWidth, c.picH);
    EXPECT_EQ(state.PicHeight, c.picW);
  }
}

TEST_F(PictureEditorTest, BrighterAndDarkerStepAndClamp) {
  struct Case {
    const char* name;
    QRgb start;
    int brighter, darker;  // presses, brighter first
    QRgb expected;
  };
  const Case cases[] = {
      {"253 reaches 255 and stays", qRgb(253, 100, 0), 2, 0, qRgb(255, 110, 10)},
      {"3 reaches 0", qRgb(3, 100, 255), 0, 1, qRgb(0, 95, 250)},
      {"ten presses add 50", qRgb(0, 100, 200), 10, 0, qRgb(50, 150, 250)},
      {"a clamped channel does not come back", qRgb(253, 100, 2), 1, 1, qRgb(250, 100, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Show(Solid(7, 5, c.start));
    for (int i = 0; i < c.brighter; ++i) editor.Brighter();
    for (int i = 0; i < c.darker; ++i) editor.Darker();
    EXPECT_EQ(Shown(), Solid(7, 5, c.expected));
    // The reference copy is left as loaded.
    EXPECT_EQ(state.WorkBitmap.Image(), Solid(7, 5, c.start));
  }
}

TEST_F(PictureEditorTest, BrighterInSelectionModeChangesOnlyTheSelection) {
  const QImage start = TestFiles::Pattern(20, 10);
  struct Case {
    const char* name;
    int left, top, width, height;  // shpRect relative to the picture
    bool shown;
    TRect changed;  // in picture pixels
  };
  const Case cases[] = {
      {"inside", 2, 3, 5, 4, true, Rect(2, 3, 7, 7)},
      {"past the right and bottom edges", 15, 6, 20, 20, true, Rect(15, 6, 20, 10)},
      {"overshooting the left and top edges", -3, -2, 5, 4, true, Rect(0, 0, 2, 2)},
      {"entirely outside", 30, 0, 5, 5, true, TRect{}},
      {"no rectangle drawn yet", 2, 3, 5, 4, false, TRect{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Show(start);
    commands.SelectionMode.SetChecked(true);
    area.shpRect->SetBounds(area.imgMain->Left() + c.left, area.imgMain->Top() + c.top, c.width,
                            c.height);
    area.shpRect->SetVisible(c.shown);
    editor.Brighter();

    QImage expected = start;
    for (int y = c.changed.Top; y < c.changed.Bottom; ++y)
      for (int x = c.changed.Left; x < c.changed.Right; ++x) {
        const QRgb p = start.pixel(x, y);
        expected.setPixel(x, y,
                          qRgb(std::min(qRed(p) + 5, 255), std::min(qGreen(p) + 5, 255),
                               std::min(qBlue(p) + 5, 255)));
      }
    EXPECT_EQ(Shown(), expected);
    commands.SelectionMode.SetChecked(false);
    area.shpRect->SetVisible(false);
  }
}

TEST_F(PictureEditorTest, RestoreUndoesToneStepsButNotTurns) {
  const QImage start = TestFiles::Pattern(6, 4);
  Show(start);
  // Negative acts on the whole picture even in selection mode.
  commands.SelectionMode.SetChecked(true);
  area.shpRect->SetBounds(area.imgMain->Left(), area.imgMain->Top(), 2, 2);
  area.shpRect->SetVisible(true);
  editor.Brighter();
  editor.Negative();  // negative
  QImage negative = start;
  negative.invertPixels();
  EXPECT_NE(Shown(), negative);  // the brightened corner shows through
  EXPECT_EQ(Shown().copy(2, 2, 4, 2), negative.copy(2, 2, 4, 2));
  editor.RestoreBrightness();
  EXPECT_EQ(Shown(), start);
  EXPECT_EQ(Shown(), state.WorkBitmap.Image());

  // Negative twice gives the start back.
  editor.Negative();
  EXPECT_EQ(Shown(), negative);
  editor.Negative();
  EXPECT_EQ(Shown(), start);

  // After a turn, restore returns to the turned picture.
  commands.SelectionMode.SetChecked(false);
  area.shpRect->SetVisible(false);
  editor.Rotate90();
  const QImage turned = Shown();
  editor.Darker();
  editor.Darker();
  EXPECT_NE(Shown(), turned);
  editor.RestoreBrightness();
  EXPECT_EQ(Shown(), turned);
  EXPECT_EQ(turned.size(), QSize(4, 6));
}

TEST_F(PictureEditorTest, Emboss) {
  // Uniform: 128 wherever there is a lower-right neighbour, the rest stays white.
  Show(Solid(4, 3, qRgb(77, 140, 200)));
  editor.Emboss();
  EXPECT_EQ(Shown(), FromRows({{Grey(128), Grey(128), Grey(128), Grey(255)},
                               {Grey(128), Grey(128), Grey(128), Grey(255)},
                               {Grey(255), Grey(255), Grey(255), Grey(255)}}));
  EXPECT_EQ(state.WorkBitmap.Image(), Solid(4, 3, qRgb(77, 140, 200)));

  struct Case {
    int pixel, lowerRight, expected;
  };
  const Case cases[] = {
      {0, 200, 72},    // darker by more than 128: the distance above 128
      {200, 0, 72},    // brighter by 128 or more wraps: 328
      {100, 90, 138},  // small differences: 128 + difference
      {90, 100, 118}, {127, 0, 255}, {128, 0, 0},  // 256 wraps to 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pixel);
    SCOPED_TRACE(c.lowerRight);
    // Red and green carry the case; blue is equal in both pixels, so it gives 128.
    Show(FromRows(
        {{qRgb(c.pixel, c.pixel, 0), Grey(9)}, {Grey(9), qRgb(c.lowerRight, c.lowerRight, 0)}}));
    editor.Emboss();
    EXPECT_EQ(Shown().pixel(0, 0), qRgb(c.expected, c.expected, 128));
  }
}

TEST_F(PictureEditorTest, BlackAndWhiteWeighsRedOnceAndGreenTwice) {
  struct Case {
    QRgb colour;
    int grey;
  };
  const Case cases[] = {
      {qRgb(0, 0, 255), 0},       {qRgb(0, 255, 0), 170}, {qRgb(255, 0, 0), 85},
      {qRgb(255, 255, 255), 255}, {qRgb(1, 1, 0), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grey);
    Show(Solid(3, 2, c.colour));
    editor.BlackWhite();
    EXPECT_EQ(Shown(), Solid(3, 2, Grey(c.grey)));
    EXPECT_EQ(state.WorkBitmap.Image(), Solid(3, 2, c.colour));
  }
}
