#include "ResizeCrop.h"

#include <QWidget>
#include <memory>

#include "controls/Dialogs.h"
#include "controls/TEdit.h"
#include "controls/TGroupBox.h"
#include "controls/TRadioButton.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "picture/ImageFiles.h"

const QString ResizeCrop::kSizeMessage = QStringLiteral("长度和宽度必须输入整数!");
const QString ResizeCrop::kSizeTitle = QStringLiteral("友情提示");

ResizeCrop::ResizeCrop(ViewerContext context, Controls controls, QWidget* dialogOwner)
    : v_(context), c_(controls), dialogOwner_(dialogOwner) {}

// ---- Options -----------------------------------------------------------------------------
// The crop is either from all sides, or one horizontal side (or none) together with one
// vertical side (or none). A side that is not chosen keeps the left or the top part.

void ResizeCrop::EnableSides(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{c_.FlatGroupBox2, c_.FlatGroupBox3,
                                                    c_.FlatGroupBox4, c_.frbLeft, c_.frbRight,
                                                    c_.frbTop, c_.frbBottom, c_.frbAround})
    w->setEnabled(on);
}

void ResizeCrop::ClipClick() {
  EnableSides(true);
}

void ResizeCrop::ZoomClick() {
  EnableSides(false);
}

void ResizeCrop::AroundClick() {
  for (TRadioButton* side : {c_.frbLeft, c_.frbRight, c_.frbTop, c_.frbBottom})
    side->SetChecked(false);
}

void ResizeCrop::SideClick() {
  c_.frbAround->SetChecked(false);
}

// ---- Apply -------------------------------------------------------------------------------

void ResizeCrop::Apply() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  if (!a.PictureShown() || st.GifCurrent()) return;
  if (st.MagnifierOn) v_.commands.Magnifier.Run();
  if (v_.commands.SelectionMode.Checked()) v_.commands.SelectionMode.Run();

  // Checked before anything changes, so that a size that cannot be applied costs nothing:
  // whole numbers of at least one pixel, no larger than a control can be (imgMain takes
  // them), and a picture size to give the percentages.
  const std::optional<qint64> w = FieldValue(c_.fedtWidth, a.imgMain->Width());
  const std::optional<qint64> h = FieldValue(c_.fedtHeight, a.imgMain->Height());
  if (!w || !h || *w < 1 || *h < 1 || *w > QWIDGETSIZE_MAX || *h > QWIDGETSIZE_MAX ||
      st.PicWidth < 1 || st.PicHeight < 1)
    return RefuseSize();

  if (c_.frbClip->Checked()) {
    // Nothing decoded (a metafile, a damaged file) leaves no pixels to crop; a crop would
    // put a blank picture and reference copy under the file's name.
    const Picture& picture = a.imgMain->GetPicture();
    if (picture.Width() <= 0 || picture.Height() <= 0) return;
    const std::optional<Crop> crop = PlanCrop(*w, *h);
    if (!crop) return RefuseSize();
    CropTo(*crop, int(*w), int(*h));
  } else if (c_.frbZoom->Checked()) {
    ResizeTo(int(*w), int(*h));
  }
  ShowSizeTexts(int(*w), int(*h));
  a.ScrollToOrigin();
  a.CenterPicture();
}

// The whole number in field, or the displayed length when the field is empty; nothing
// when it holds anything else.
std::optional<qint64> ResizeCrop::FieldValue(const TEdit* field, int displayed) const {
  const QString text = field->Text().trimmed();
  if (text.isEmpty()) return displayed;
  bool ok = false;
  const qint64 value = text.toLongLong(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

// The crop of w x h displayed pixels, in picture pixels at the current scale. Nothing when
// it would leave no pixel or more than a picture may have (1 displayed pixel at 5000 %,
// or a size far beyond the picture).
std::optional<ResizeCrop::Crop> ResizeCrop::PlanCrop(qint64 w, qint64 h) const {
  const ViewerState& st = v_.state;
  const qint64 shownW = v_.area.imgMain->Width(), shownH = v_.area.imgMain->Height();
  if (shownW < 1 || shownH < 1) return std::nullopt;
  const qint64 pw0 = st.PicWidth, ph0 = st.PicHeight;
  const qint64 cw = pw0 * w / shownW, ch = ph0 * h / shownH;
  if (cw < 1 || ch < 1 || cw > ImageFiles::MaxPixels || ch > ImageFiles::MaxPixels ||
      cw * ch > ImageFiles::MaxPixels)
    return std::nullopt;
  qint64 x0 = c_.frbLeft->Checked() ? pw0 - cw : 0;
  qint64 y0 = c_.frbTop->Checked() ? ph0 - ch : 0;
  if (c_.frbAround->Checked()) {
    x0 = (pw0 - cw) / 2;  // truncating toward zero
    y0 = (ph0 - ch) / 2;
  }
  return Crop{int(cw), int(ch), int(x0), int(y0)};
}

// The crop becomes the displayed picture and the reference copy, shown at w x h. What the
// old picture does not cover (a crop larger than it) is white; nothing is read outside it.
void ResizeCrop::CropTo(const Crop& crop, int w, int h) {
  ViewerState& st = v_.state;
  TImage* image = v_.area.imgMain;
  Bitmap source;
  source.Assign(*image->GetPicture().GetGraphic());
  Bitmap cropped(crop.width, crop.height);
  cropped.CopyRect(Rect(0, 0, crop.width, crop.height), source,
                   Bounds(crop.x0, crop.y0, crop.width, crop.height));
  st.PicWidth = crop.width;
  st.PicHeight = crop.height;
  st.TakeWorkBitmap(cropped);
  image->GetPicture().SetGraphic(std::make_unique<Bitmap>(std::move(cropped)));
  image->SetBounds(image->Left(), image->Top(), w, h);
}

// Only the display changes: the picture keeps its pixels and its size, and save this size
// writes what is shown.
void ResizeCrop::ResizeTo(int w, int h) {
  TImage* image = v_.area.imgMain;
  image->SetAutoSize(false);
  image->SetStretch(true);
  image->SetBounds(image->Left(), image->Top(), w, h);
}

// The requested size, and the displayed size against the picture's per axis
// ("长50%,宽75%": horizontal first).
void ResizeCrop::ShowSizeTexts(int w, int h) {
  const ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  const QString size = QString::number(w) + QStringLiteral(" X ") + QString::number(h);
  a.lblSize->SetCaption(size);
  a.StatusBar->SetText(PictureArea::kResolution, size);
  const qint64 p = qint64(a.imgMain->Width()) * 100 / st.PicWidth;
  const qint64 q = qint64(a.imgMain->Height()) * 100 / st.PicHeight;
  a.StatusBar->SetText(PictureArea::kZoom, QStringLiteral("长%1%,宽%2%").arg(p).arg(q));
}

void ResizeCrop::RefuseSize() const {
  Dialogs::Message(dialogOwner_, kSizeMessage, kSizeTitle, Dialogs::Icon::None);
}
