#pragma once
// A flat multi-line text. Lines are the text's lines in order; a read-only memo shows its
// text (and lets it be selected and copied) but takes no typing.
#include <QPlainTextEdit>
#include <QStringList>

#include "TControl.h"
#include "picture/Color.h"

class TMemo : public TControl<QPlainTextEdit> {
 public:
  explicit TMemo(QWidget* parent = nullptr);

  QStringList Lines() const;
  void SetLines(const QStringList& lines);
  QString Text() const { return toPlainText(); }

  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool on);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);

 private:
  void ApplyStyle();

  TColor color_ = Colors::White;
  TColor fontColor_ = Colors::Black;
};
