#pragma once
// A list view in report view (captions, and with columns one sub-item beside each) or icon
// view (large images from an ImageList, captions below). Items are addressed by 0-based
// index. While sorting is on, items are kept in caption order (locale-aware) as they are
// added.
#include <QListWidget>

#include "TControl.h"
#include "picture/Color.h"

class ImageList;

class TListView : public TControl<QListWidget> {
 public:
  enum class ViewStyle { Report, Icon };

  TListView(QWidget* parent, ViewStyle style);
  ~TListView() override;

  int Count() const { return count(); }
  void Clear();
  int Add(const QString& caption, int imageIndex = -1);  // returns the new item's index
  void Delete(int index);
  QString Caption(int index) const;
  void SetCaption(int index, const QString& caption);
  int ImageIndex(int index) const;
  void SetImageIndex(int index, int imageIndex);
  int IndexOfCaption(const QString& caption) const;  // first exact match, or -1
  // The item's first sub-item (the second column's text).
  QString SubItem(int index) const;
  void SetSubItem(int index, const QString& text);

  // Selection (single): the selected index or -1.
  int Selected() const;
  bool IsSelected(int index) const;
  void SetItemSelected(int index, bool selected);
  void ClearSelection();
  int Focused() const { return currentRow(); }
  void SetFocused(int index);
  // Select and focus one item, making it visible.
  void SelectAndFocus(int index);

  bool SortType() const { return sorted_; }  // true: sorted by caption
  void SetSortType(bool sorted);

  void SetLargeImages(ImageList* images);
  void SetIconSpacing(int horizontal, int vertical);
  void SetFontColor(TColor color);
  void SetGridLines(bool on);
  // Report columns (no headers are shown): the caption is drawn within the first width,
  // the sub-item within the second.
  void SetColumnWidths(int captionWidth, int subItemWidth);
  // Rows exactly pitch pixels high below a top margin, the list drawn without a frame, and
  // mouse coordinates counted from the list's own top left: the row of a mouse Y is then
  // (Y - topMargin) / pitch for every row on screen.
  void SetRowPitch(int pitch, int topMargin);
  int RowPitch() const { return rowPitch_; }

  // An item became selected (selected true) or lost its selection (false).
  std::function<void(int index, bool selected)> OnSelectItem;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  QPoint MouseOrigin() const override;

 private:
  class Item;
  class Delegate;
  ImageList* images_ = nullptr;
  bool sorted_ = false;
  int rowPitch_ = 0;                         // 0: the style's own row height
  int captionWidth_ = 0, subItemWidth_ = 0;  // 0: one column
  int previousSelected_ = -1;
  void SelectionChanged();
};
