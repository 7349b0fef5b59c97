#include "TListView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "picture/ImageList.h"
#include "platform/NameOrder.h"

namespace {
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSubItemRole = Qt::UserRole + 2;
}  // namespace

// Items compare by caption in the user's name order, which is the order the list keeps
// while sorting is on.
class TListView::Item : public QListWidgetItem {
 public:
  using QListWidgetItem::QListWidgetItem;
  bool operator<(const QListWidgetItem& other) const override {
    return NameOrder::System().Compare(text(), other.text()) < 0;
  }
};

// Icon view: the image comes from the image list at paint time, so moving or deleting
// images in the list shows at once without touching the items.
class TListView::Delegate : public QStyledItemDelegate {
 public:
  explicit Delegate(TListView* view) : QStyledItemDelegate(view), view_(view) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if (!view_->images_ || view_->viewMode() != QListView::IconMode) {
      if (view_->captionWidth_ > 0) {
        PaintColumns(p, option, index);
      } else {
        QStyledItemDelegate::paint(p, option, index);
      }
      if (view_->property("gridLines").toBool()) {
        p->setPen(QColor(225, 225, 225));
        p->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
      }
      return;
    }
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const int image = index.data(kImageRole).toInt();
    const int iw = view_->images_->Width(), ih = view_->images_->Height();
    const QRect imageRect(r.left() + (r.width() - iw) / 2, r.top() + 4, iw, ih);
    if (image >= 0 && image < view_->images_->Count())
      p->drawImage(imageRect, view_->images_->Image(image));
    if (selected) {
      p->setPen(QPen(option.palette.highlight().color(), 2));
      p->setBrush(Qt::NoBrush);
      p->drawRect(imageRect.adjusted(-1, -1, 1, 1));
    }
    const QRect textRect(r.left() + 1, imageRect.bottom() + 4, r.width() - 2,
                         r.bottom() - imageRect.bottom() - 4);
    const QString text =
        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideMiddle, textRect.width());
    if (selected) p->fillRect(textRect, option.palette.highlight());
    p->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    p->drawText(textRect, Qt::AlignHCenter | Qt::AlignTop, text);
  }

  // Report view with columns: the whole row is selected, each text stays in its column.
  void PaintColumns(QPainter* p, const QStyleOptionViewItem& option,
                    const QModelIndex& index) const {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) p->fillRect(r, option.palette.highlight());
    p->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    p->setFont(option.font);
    const QRect caption(r.left() + 2, r.top(), view_->captionWidth_ - 4, r.height());
    p->drawText(
        caption, Qt::AlignLeft | Qt::AlignVCenter,
        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, caption.width()));
    const QRect sub(r.left() + view_->captionWidth_, r.top(), view_->subItemWidth_, r.height());
    p->save();
    p->setClipRect(sub);
    p->drawText(sub.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                index.data(kSubItemRole).toString());
    p->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (view_->viewMode() == QListView::IconMode) return view_->gridSize();
    const QSize natural = QStyledItemDelegate::sizeHint(option, index);
    if (view_->rowPitch_ > 0) return QSize(natural.width(), view_->rowPitch_);
    return natural;
  }

 private:
  TListView* view_;
};

TListView::TListView(QWidget* parent, ViewStyle style) : TControl<QListWidget>(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new Delegate(this));
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  if (style == ViewStyle::Icon) {
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(200);
    SetIconSpacing(90, 120);
  }
  connect(this, &QListWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
}

TListView::~TListView() {
  if (images_) images_->OnChange = nullptr;
}

void TListView::Clear() {
  clear();
  previousSelected_ = -1;
}

int TListView::Add(const QString& caption, int imageIndex) {
  auto* item = new Item(caption);
  item->setData(kImageRole, imageIndex);
  if (sorted_) {
    // Binary search for the place, then insert: the list stays sorted as it grows.
    int lo = 0, hi = count();
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (NameOrder::System().Compare(this->item(mid)->text(), caption) <= 0)
        lo = mid + 1;
      else
        hi = mid;
    }
    insertItem(lo, item);
    return lo;
  }
  addItem(item);
  return count() - 1;
}

void TListView::Delete(int index) {
  if (index < 0 || index >= count()) return;
  // When the current item goes, Qt makes a neighbour current and selects it; the classic
  // list leaves nothing selected, and a neighbour selected here would be mirrored into
  // the other list (and deleted there next).
  if (currentRow() == index)
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  delete takeItem(index);
}

QString TListView::Caption(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->text() : QString();
}

void TListView::SetCaption(int index, const QString& caption) {
  if (QListWidgetItem* it = item(index)) it->setText(caption);
}

QString TListView::SubItem(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->data(kSubItemRole).toString() : QString();
}

void TListView::SetSubItem(int index, const QString& text) {
  if (QListWidgetItem* it = item(index)) it->setData(kSubItemRole, text);
}

int TListView::ImageIndex(int index) const {
  const QListWidgetItem* it = item(index);
  return it ? it->data(kImageRole).toInt() : -1;
}

void TListView::SetImageIndex(int index, int imageIndex) {
  if (QListWidgetItem* it = item(index)) it->setData(kImageRole, imageIndex);
}

int TListView::IndexOfCaption(const QString& caption) const {
  for (int i = 0; i < count(); ++i)
    if (item(i)->text() == caption) return i;
  return -1;
}

int TListView::Selected() const {
  for (int i = 0; i < count(); ++i)
    if (item(i)->isSelected()) return i;
  return -1;
}

bool TListView::IsSelected(int index) const {
  const QListWidgetItem* it = item(index);
  return it && it->isSelected();
}

void TListView::SetItemSelected(int index, bool selected) {
  if (QListWidgetItem* it = item(index)) it->setSelected(selected);
}

void TListView::ClearSelection() {
  clearSelection();
}

void TListView::SetFocused(int index) {
  setCurrentRow(index, QItemSelectionModel::NoUpdate);
}

void TListView::SelectAndFocus(int index) {
  QListWidgetItem* it = item(index);
  if (!it) return;
  setCurrentItem(it, QItemSelectionModel::ClearAndSelect);
  scrollToItem(it);
}

void TListView::SetSortType(bool sorted) {
  sorted_ = sorted;
  if (sorted) sortItems();
}

void TListView::SetLargeImages(ImageList* images) {
  images_ = images;
  if (images_) images_->OnChange = [this] { viewport()->update(); };
}

void TListView::SetIconSpacing(int horizontal, int vertical) {
  setGridSize(QSize(horizontal, vertical));
  setIconSize(QSize(80, 80));
  setSpacing(0);
}

void TListView::SetFontColor(TColor color) {
  QPalette pal = palette();
  pal.setColor(QPalette::Text, QColor(ToQRgb(color)));
  setPalette(pal);
}

void TListView::SetGridLines(bool on) {
  setProperty("gridLines", on);
  viewport()->update();
}

void TListView::SetColumnWidths(int captionWidth, int subItemWidth) {
  captionWidth_ = std::max(0, captionWidth);
  subItemWidth_ = std::max(0, subItemWidth);
  viewport()->update();
}

void TListView::SetRowPitch(int pitch, int topMargin) {
  rowPitch_ = std::max(1, pitch);
  setFrameShape(QFrame::NoFrame);
  setSpacing(0);
  setViewportMargins(0, std::max(0, topMargin), 0, 0);
  // The delegate's row height changed: let the view measure the rows again.
  doItemsLayout();
}

QPoint TListView::MouseOrigin() const {
  // Mouse events arrive in the viewport's coordinates.
  return rowPitch_ > 0 ? viewport()->geometry().topLeft() : QPoint();
}

void TListView::SelectionChanged() {
  const int now = Selected();
  if (now == previousSelected_) return;
  const int before = previousSelected_;
  previousSelected_ = now;
  if (!OnSelectItem) return;
  if (before >= 0 && before < count() && !TApplication::RunHandler(OnSelectItem, before, false))
    return;
  if (now >= 0) TApplication::RunHandler(OnSelectItem, now, true);
}

void TListView::mousePressEvent(QMouseEvent* event) {
  // A click on empty space clears the selection, as the classic list view does.
  if (!itemAt(event->position().toPoint())) clearSelection();
  TControl<QListWidget>::mousePressEvent(event);
}
