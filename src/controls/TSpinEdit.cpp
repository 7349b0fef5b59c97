#include "TSpinEdit.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace {
// Longer texts are not integers of the control's type; the field takes no more.
constexpr int kMaxDigits = 10;

bool ParseInteger(const QString& text, int& value) {
  bool ok = false;
  value = text.trimmed().toInt(&ok);
  return ok;
}
}  // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : TControl<QSpinBox>(parent) {
  // The spin box itself must never clamp: the range rules are ours (see stepBy and
  // focusOutEvent), and a typed 0 or 75 stays in the field as typed.
  setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  setFrame(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  lineEdit()->setMaxLength(kMaxDigits + 1);
  connect(lineEdit(), &QLineEdit::textChanged, this,
          [this] { TApplication::RunHandler(OnChange); });
}

int TSpinEdit::Value() const {
  int value = 0;
  return ParseInteger(Text(), value) ? value : min_;
}

void TSpinEdit::SetValue(int v) {
  SetText(QString::number(v));
}

void TSpinEdit::SetMinMax(int minimum, int maximum) {
  min_ = minimum;
  max_ = std::max(minimum, maximum);
}

QString TSpinEdit::Text() const {
  return lineEdit()->text();
}

void TSpinEdit::SetText(const QString& text) {
  if (text == Text()) return;
  lineEdit()->setText(text);
}

// A sign and digits, or nothing yet: what the classic field lets the user type.
QValidator::State TSpinEdit::validate(QString& text, int&) const {
  static const QRegularExpression integerLike(
      QStringLiteral("^\\s*[+-]?\\d{0,%1}\\s*$").arg(kMaxDigits));
  return integerLike.match(text).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

int TSpinEdit::valueFromText(const QString& text) const {
  int value = 0;
  return ParseInteger(text, value) ? value : min_;
}

QString TSpinEdit::textFromValue(int value) const {
  return QString::number(value);
}

// Qt would otherwise replace a text it cannot read by the last value on leaving.
void TSpinEdit::fixup(QString&) const {}

void TSpinEdit::stepBy(int steps) {
  const qint64 next = qint64(Value()) + steps;
  SetValue(int(std::clamp<qint64>(next, min_, max_)));
  lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
  if (!isEnabled() || isReadOnly()) return StepNone;
  StepEnabled enabled = StepNone;
  // A typed value outside the range steps back into it either way.
  const int value = Value();
  if (value != max_) enabled |= StepUpEnabled;
  if (value != min_) enabled |= StepDownEnabled;
  return enabled;
}

// Not the spin box's own focus-out, which would rewrite the field from its last value.
void TSpinEdit::focusOutEvent(QFocusEvent* event) {
  lineEdit()->event(event);
  QWidget::focusOutEvent(event);
  emit editingFinished();
  const int value = Value();
  if (value < min_ || value > max_) SetValue(std::clamp(value, min_, max_));
}
