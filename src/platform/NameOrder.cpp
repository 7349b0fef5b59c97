#include "NameOrder.h"

namespace {

QLocale CollationLocale(const QLocale& locale) {
  // CLDR has no tailoring for English: its collation is the root collation itself.
  if (locale.language() == QLocale::C) return QLocale(QLocale::English, QLocale::UnitedStates);
  return locale;
}

}  // namespace

NameOrder::NameOrder(const QLocale& collation) : collator_(CollationLocale(collation)) {
  collator_.setCaseSensitivity(Qt::CaseSensitive);
  collator_.setNumericMode(false);
  collator_.setIgnorePunctuation(false);
}

const NameOrder& NameOrder::System() {
  static const NameOrder order(QLocale::system().collation());
  return order;
}

int NameOrder::Compare(const QString& a, const QString& b) const {
  const int order = collator_.compare(a, b);
  if (order != 0) return order;
  return QString::compare(a, b, Qt::CaseSensitive);
}
