// The order of file names in the lists, as a person expects it on any machine: the root
// collation where the locale is C or POSIX, the language's own otherwise.
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>

#include "platform/NameOrder.h"

namespace {

QStringList Sorted(const NameOrder& order, QStringList names) {
  std::sort(names.begin(), names.end(), order);
  return names;
}

QStringList Words(const char* text) {
  return QString::fromUtf8(text).split(QLatin1Char(' '));
}

}  // namespace

TEST(NameOrder, TableUnderCAndChinese) {
  const struct {
    const char* locale;
    const char* names;     // in any order
    const char* expected;  // sorted
  } cases[] = {
      // Code-unit order would give B.jpg E.jpg a.jpg b.bmp c.jpg e.JPG.
      {"C", "e.JPG c.jpg B.jpg b.bmp a.jpg", "a.jpg b.bmp B.jpg c.jpg e.JPG"},
      {"POSIX", "e.JPG c.jpg B.jpg b.bmp a.jpg", "a.jpg b.bmp B.jpg c.jpg e.JPG"},
      // Case and accents count only between equal letters; digits are characters, not
      // numbers; punctuation before digits before letters.
      {"C", "é.jpg file9.jpg Zoo.jpg E.jpg file10.jpg 1.jpg _x.jpg e.JPG",
       "_x.jpg 1.jpg e.JPG E.jpg é.jpg file10.jpg file9.jpg Zoo.jpg"},
      {"C", "café.jpg cafe.jpg Cafe.jpg cafés.jpg", "cafe.jpg Cafe.jpg café.jpg cafés.jpg"},
      // Chinese in pinyin order: a, li, wang, zhang.
      {"zh_CN", "张.jpg 王.jpg a.jpg 阿.jpg B.jpg 李.jpg b.bmp",
       "阿.jpg 李.jpg 王.jpg 张.jpg a.jpg b.bmp B.jpg"},
      {"zh_CN", "e.JPG c.jpg B.jpg b.bmp a.jpg", "a.jpg b.bmp B.jpg c.jpg e.JPG"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + ": " + c.names);
    const NameOrder order{QLocale(QString::fromLatin1(c.locale))};
    EXPECT_EQ(Sorted(order, Words(c.names)), Words(c.expected));
  }
}

TEST(NameOrder, DifferentNamesNeverCompareEqual) {
  const NameOrder order{QLocale::c()};
  // A zero-width space is ignored by the collation; the names still differ.
  const QString plain = QStringLiteral("a.jpg"), marked = QStringLiteral("a\u200B.jpg");
  const int forward = order.Compare(plain, marked), backward = order.Compare(marked, plain);
  EXPECT_NE(forward, 0);
  EXPECT_EQ(forward > 0, backward < 0);
  EXPECT_EQ(order.Compare(plain, plain), 0);
}
