// The sorted file list keeps the order a person expects whatever the machine's locale
// (the tests run under C.UTF-8 in CI, where plain code-unit order would put B.jpg first).
#include <gtest/gtest.h>

#include <QStringList>

#include "controls/TListView.h"

namespace {

QStringList Captions(const TListView& list) {
  QStringList captions;
  for (int i = 0; i < list.Count(); ++i) captions << list.Caption(i);
  return captions;
}

}  // namespace

TEST(TListView, SortedListKeepsNameOrder) {
  const QStringList expected = {"a.jpg", "b.bmp", "B.jpg", "c.jpg", "e.JPG"};
  // Added one by one while sorting is on, as the folder scan adds them.
  TListView list(nullptr, TListView::ViewStyle::Report);
  list.SetSortType(true);
  for (const char* name : {"e.JPG", "c.jpg", "B.jpg", "b.bmp", "a.jpg"})
    list.Add(QString::fromLatin1(name));
  EXPECT_EQ(Captions(list), expected);
  // Added unsorted, then sorted.
  TListView later(nullptr, TListView::ViewStyle::Report);
  for (const char* name : {"B.jpg", "e.JPG", "a.jpg", "c.jpg", "b.bmp"})
    later.Add(QString::fromLatin1(name));
  later.SetSortType(true);
  EXPECT_EQ(Captions(later), expected);
}
