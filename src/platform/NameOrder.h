#pragma once
// The order of file names in the lists: the user's collation when the locale names a
// language, and the root collation of the system's ICU when it is C or POSIX. Qt's
// collator falls back to code-unit order for C, which puts "B.jpg" before "a.jpg" on
// every machine set up that way (CI, servers, containers); the root collation gives
// a.jpg, b.bmp, B.jpg, c.jpg, e.JPG there as everywhere else: case and accents count only
// where the letters are equal, and digits compare as characters (the root collation does
// not read numbers). Chinese names follow the user's locale: pinyin order under zh_CN.
#include <QCollator>
#include <QLocale>
#include <QString>

class NameOrder {
 public:
  // The order of a collation locale; the C locale (C, POSIX) stands for the root collation.
  explicit NameOrder(const QLocale& collation);

  // The user's order, from the environment's collation locale (LC_ALL, LC_COLLATE, LANG),
  // read once. For the window thread.
  static const NameOrder& System();

  // Negative, zero or positive as a sorts before, with or after b. Names the collation
  // finds equal but that differ are ordered by their code units, so the order is total.
  int Compare(const QString& a, const QString& b) const;
  bool operator()(const QString& a, const QString& b) const { return Compare(a, b) < 0; }

  // The locale whose collation is used (en_US for the root collation).
  QLocale Locale() const { return collator_.locale(); }

 private:
  QCollator collator_;
};
